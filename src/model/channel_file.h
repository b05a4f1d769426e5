#pragma once
// Channel data files (.sin): the 2112 image bytes, no header.

#include <string>

#include "memory_image.h"
#include "status.h"

namespace korvel {

// Reads the first 2112 bytes of the file into image. A missing, unreadable
// or short file fails and leaves image exactly as it was.
Status LoadChannelFile(const std::string& path, MemoryImage& image);
// Writes exactly 2112 bytes atomically: a temporary file beside the target,
// flushed, then renamed over it. A failure leaves any previous file intact.
Status SaveChannelFile(const std::string& path, const MemoryImage& image);

}  // namespace korvel
