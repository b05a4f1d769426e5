#include "kov_document.h"

namespace korvel {

CKovDoc::CKovDoc() : image_(NewImage()) {}

void CKovDoc::OnNewDocument() {
  image_ = NewImage();
  modified_ = false;
}

FileResult CKovDoc::OnOpenDocument(const std::string& path) {
  FileResult result = LoadChannelFile(path, image_);
  if (result) modified_ = false;
  return result;
}

FileResult CKovDoc::OnSaveDocument(const std::string& path) {
  if (collector_) collector_(image_);
  FileResult result = SaveChannelFile(path, image_);
  if (result) modified_ = false;
  return result;
}

}  // namespace korvel
