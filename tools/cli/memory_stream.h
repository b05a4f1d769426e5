#pragma once
// A stdio stream whose text stays in the program, for code that prints to
// a FILE*: in memory on Linux (open_memstream); on Windows, which has no
// such stream, in a temporary file the system deletes once it is closed.

#include <cstdio>
#include <string>

namespace korvel::cli {

class MemoryStream {
 public:
  // Throws std::runtime_error when the system gives no stream.
  MemoryStream();
  ~MemoryStream();
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;

  std::FILE* File() const { return file_; }
  // Everything written so far.
  std::string Text() const;

 private:
  std::FILE* file_ = nullptr;
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace korvel::cli
