#pragma once
// A regular file opened for reading. Only a regular file is read at all: a
// FIFO, device or folder is refused without waiting on it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "status.h"

namespace korvel {

class ReadableFile {
 public:
  ReadableFile() = default;
  ~ReadableFile();
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;

  // Fails (FileOpen) for a missing or unreadable path and anything but a
  // regular file.
  Status Open(const std::string& path);
  // The file's size when it was opened.
  std::uintmax_t Size() const { return size_; }
  // Reads until size bytes are in or the file ends; *got: how many came.
  Status Read(void* data, std::size_t size, std::size_t* got);

 private:
  std::string path_;
  std::uintmax_t size_ = 0;
  // A descriptor, or a Windows handle; -1 (Windows' invalid handle too)
  // when none is open.
  std::intptr_t file_ = -1;
};

}  // namespace korvel
