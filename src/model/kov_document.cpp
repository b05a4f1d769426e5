#include "kov_document.h"

namespace korvel {

CKovDoc::CKovDoc() : image_(NewImage()) {
  editsMark_ = channels_.Subscribe([this](const ChannelChange& change) {
    if (change.kind != ChannelChange::Kind::Filled) modified_ = true;
  });
}

void CKovDoc::FillFromImage() { channels_.Fill(image_); }

void CKovDoc::CollectIntoImage() { channels_.Collect(image_); }

Status CKovDoc::OnNewDocument() {
  image_ = NewImage();
  modified_ = false;
  return Status::Ok();
}

Status CKovDoc::OnOpenDocument(const std::string& path) {
  std::uintmax_t size = 0;
  Status result = LoadChannelFile(path, image_, &size);
  if (result) {
    modified_ = false;
    longFileNotice_ = size > kImageSize ? LongFileNotice(path, size) : std::string();
  }
  return result;
}

Status CKovDoc::OnSaveDocument(const std::string& path) {
  CollectIntoImage();
  Status result = SaveChannelFile(path, image_);
  if (result) modified_ = false;
  return result;
}

}  // namespace korvel
