#include "kov_document.h"

namespace korvel {

CKovDoc::CKovDoc() : image_(NewImage()) {}

void CKovDoc::OnNewDocument() {
  image_ = NewImage();
  modified_ = false;
}

Status CKovDoc::OnOpenDocument(const std::string& path) {
  Status result = LoadChannelFile(path, image_);
  if (result) modified_ = false;
  return result;
}

Status CKovDoc::OnSaveDocument(const std::string& path) {
  if (collector_) collector_(image_);
  Status result = SaveChannelFile(path, image_);
  if (result) modified_ = false;
  return result;
}

}  // namespace korvel
