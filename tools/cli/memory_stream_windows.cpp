#include <windows.h>

#include <stdexcept>

#include "memory_stream.h"

namespace korvel::cli {
namespace {

// A new file in the user's temporary folder, opened for writing and
// reading, marked temporary (kept in the cache where it can be) and deleted
// when it is closed, even if the program ends without closing it.
std::FILE* TemporaryStream() {
  wchar_t folder[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  if (::GetTempPathW(MAX_PATH + 1, folder) == 0 || ::GetTempFileNameW(folder, L"kor", 0, name) == 0) return nullptr;
  std::FILE* file = ::_wfopen(name, L"w+bTD");
  if (file == nullptr) ::DeleteFileW(name);
  return file;
}

}  // namespace

MemoryStream::MemoryStream() : file_(TemporaryStream()) {
  if (file_ == nullptr) throw std::runtime_error("cannot make a temporary file for a stream");
}

MemoryStream::~MemoryStream() { std::fclose(file_); }

std::string MemoryStream::Text() const {
  std::fflush(file_);
  const long end = std::ftell(file_);
  std::string text(end > 0 ? static_cast<std::size_t>(end) : 0, '\0');
  std::rewind(file_);
  text.resize(std::fread(text.data(), 1, text.size(), file_));
  std::fseek(file_, 0, SEEK_END);
  return text;
}

}  // namespace korvel::cli
