#pragma once
// The single document: owner of the memory image from start-up to exit.
// New and Open only replace the image's content.

#include <functional>
#include <string>

#include "channel_file.h"
#include "memory_image.h"

namespace korvel {

class CKovDoc {
 public:
  CKovDoc();

  MemoryImage& Image() { return image_; }
  const MemoryImage& Image() const { return image_; }

  // Path of the file the document belongs to; empty while unnamed.
  const std::string& PathName() const { return path_; }
  void SetPathName(std::string path) { path_ = std::move(path); }

  // Set by every change of content, cleared by New, Open and Save.
  bool IsModified() const { return modified_; }
  void SetModified(bool modified = true) { modified_ = modified; }

  // Runs before every save: the grid collection of the view.
  void SetCollector(std::function<void(MemoryImage&)> collector) { collector_ = std::move(collector); }

  // New: every byte 0xFF, then the defaults. Leaves the path alone; the
  // caller clears it as the file command requires.
  void OnNewDocument();
  // Loads the file; on failure the image, path and flag are unchanged. On
  // success the flag is cleared (the path is the caller's, see recent entry 1).
  Status OnOpenDocument(const std::string& path);
  // Collects the grid into the image, then writes the file atomically. On
  // success the flag is cleared.
  Status OnSaveDocument(const std::string& path);

 private:
  MemoryImage image_{};
  std::string path_;
  bool modified_ = false;
  std::function<void(MemoryImage&)> collector_;
};

}  // namespace korvel
