#pragma once
// Channel data files (.sin): the 2112 image bytes, no header.

#include <string>

#include "memory_image.h"

namespace korvel {

struct FileResult {
  bool ok = true;
  std::string message;  // why it failed, for the user
  explicit operator bool() const { return ok; }
  static FileResult Failure(std::string why) { return {false, std::move(why)}; }
};

// Reads the first 2112 bytes of the file into image. A missing, unreadable
// or short file fails and leaves image exactly as it was.
FileResult LoadChannelFile(const std::string& path, MemoryImage& image);
// Writes exactly 2112 bytes atomically: a temporary file beside the target,
// flushed, then renamed over it. A failure leaves any previous file intact.
FileResult SaveChannelFile(const std::string& path, const MemoryImage& image);

}  // namespace korvel
