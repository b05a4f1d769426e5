#pragma once
// Channel data files (.sin): the 2112 image bytes, no header.

#include <cstdint>
#include <string>

#include "memory_image.h"
#include "status.h"

namespace korvel {

// Reads the first 2112 bytes of a regular file into image (a FIFO, device
// or folder is refused without waiting on it). A missing, unreadable or
// short file fails and leaves image exactly as it was. *fileSize, when
// given, receives the file's whole size: a longer file loads too, and the
// caller says so (LongFileNotice).
Status LoadChannelFile(const std::string& path, MemoryImage& image, std::uintmax_t* fileSize = nullptr);
// What the user is told about a file longer than an image.
std::string LongFileNotice(const std::string& path, std::uintmax_t size);
// Replaces the file with exactly 2112 bytes, whole or not at all (see
// AtomicFile): through symbolic links, never over a read-only file.
Status SaveChannelFile(const std::string& path, const MemoryImage& image);

}  // namespace korvel
