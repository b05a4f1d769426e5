#include "readable_file.h"

#include <algorithm>

#include "windows_text.h"

namespace korvel {
ReadableFile::~ReadableFile() {
  if (windows::AsHandle(file_) != INVALID_HANDLE_VALUE) ::CloseHandle(windows::AsHandle(file_));
}

Status ReadableFile::Open(const std::string& path) {
  path_ = path;
  // Others may read, write and rename it meanwhile, as on Linux; a folder
  // opens only with backup semantics, so it is told apart below.
  const HANDLE file = ::CreateFileW(windows::LongPath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  file_ = reinterpret_cast<std::intptr_t>(file);
  if (file == INVALID_HANDLE_VALUE) return windows::FromError(FailureKind::FileOpen, "Cannot open", path, ::GetLastError());
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(file) != FILE_TYPE_DISK)
    return Status::Failure(FailureKind::FileOpen,
                           "Cannot open \"" + path + "\": it is not a regular file (a device, pipe or socket)");
  if (!::GetFileInformationByHandle(file, &info))
    return windows::FromError(FailureKind::FileOpen, "Cannot open", path, ::GetLastError());
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return windows::FromError(FailureKind::FileOpen, "Cannot open", path, ERROR_DIRECTORY);
  size_ = (static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  return {};
}

Status ReadableFile::Read(void* data, std::size_t size, std::size_t* got) {
  *got = 0;
  while (*got < size) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - *got, 1u << 30));
    DWORD read = 0;
    if (!::ReadFile(windows::AsHandle(file_), static_cast<char*>(data) + *got, chunk, &read, nullptr))
      return windows::FromError(FailureKind::FileRead, "Cannot read", path_, ::GetLastError());
    if (read == 0) break;
    *got += read;
  }
  return {};
}

}  // namespace korvel
