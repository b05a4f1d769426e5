#include "kov_document.h"

#include "document_history.h"

namespace korvel {

CKovDoc::CKovDoc() : image_(NewImage()), history_(std::make_unique<DocumentHistory>(*this)) {}

CKovDoc::~CKovDoc() = default;

bool CKovDoc::IsModified() const { return history_->IsModified(); }

void CKovDoc::FillFromImage() { channels_.Fill(image_); }

void CKovDoc::CollectIntoImage() { channels_.Collect(image_); }

Status CKovDoc::OnNewDocument() {
  image_ = NewImage();
  return Status::Ok();
}

Status CKovDoc::OnOpenDocument(const std::string& path) {
  std::uintmax_t size = 0;
  Status result = LoadChannelFile(path, image_, &size);
  if (result) {
    longFileNotice_ = size > kImageSize ? LongFileNotice(path, size) : std::string();
  }
  return result;
}

Status CKovDoc::OnSaveDocument(const std::string& path) {
  CollectIntoImage();
  Status result = SaveChannelFile(path, image_);
  if (result) history_->MarkSaved();
  return result;
}

}  // namespace korvel
