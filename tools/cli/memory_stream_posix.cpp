#include <cstdlib>
#include <stdexcept>

#include "memory_stream.h"

namespace korvel::cli {

MemoryStream::MemoryStream() : file_(open_memstream(&buffer_, &size_)) {
  if (file_ == nullptr) throw std::runtime_error("open_memstream failed");
}

MemoryStream::~MemoryStream() {
  std::fclose(file_);
  std::free(buffer_);
}

std::string MemoryStream::Text() const {
  std::fflush(file_);
  return std::string(buffer_, size_);
}

}  // namespace korvel::cli
