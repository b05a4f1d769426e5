#include "fleet_log.h"
#include "model/windows_text.h"

namespace korvel::cli {
namespace {

using windows::AsHandle;

// Where the next write goes when an OVERLAPPED names this offset: the end
// of the file at that moment, as one append (two runs logging into one file
// never overwrite each other's lines).
constexpr DWORD kEndOfFile = 0xFFFFFFFF;

// The answers of a file system without preallocation (and of a system,
// Wine for one, that does not implement the call).
bool Unsupported(DWORD error) {
  return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
         error == ERROR_CALL_NOT_IMPLEMENTED;
}

}  // namespace

FleetLog::~FleetLog() {
  if (AsHandle(file_) != INVALID_HANDLE_VALUE) ::CloseHandle(AsHandle(file_));
}

Status FleetLog::OpenFile(bool* empty) {
  // Others may read it and append to it meanwhile, as on Linux. Opening a
  // device or a pipe does not wait; both are refused below.
  const HANDLE file = ::CreateFileW(windows::LongPath(path_).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return windows::FromError(FailureKind::FileOpen, "Cannot open the log", path_, ::GetLastError());
  file_ = reinterpret_cast<std::intptr_t>(file);
  if (::GetFileType(file) != FILE_TYPE_DISK)
    return Status::Failure(FailureKind::FileOpen, "Cannot open the log \"" + path_ + "\": it is not a regular file");
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size))
    return windows::FromError(FailureKind::FileOpen, "Cannot open the log", path_, ::GetLastError());
  *empty = size.QuadPart == 0;
  return {};
}

std::string FleetLog::Reserve(std::size_t room) {
  // The clusters after the end are the file's while it is open (its size
  // stays), so the lines go into them even when the disk fills meanwhile.
  const HANDLE file = AsHandle(file_);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size)) return windows::ErrorText(::GetLastError());
  FILE_ALLOCATION_INFO allocation{};
  allocation.AllocationSize.QuadPart = size.QuadPart + static_cast<LONGLONG>(room);
  if (!::SetFileInformationByHandle(file, FileAllocationInfo, &allocation, sizeof allocation)) {
    const DWORD error = ::GetLastError();
    if (!Unsupported(error)) return windows::ErrorText(error);
  }
  if (!::FlushFileBuffers(file)) return windows::ErrorText(::GetLastError());
  return {};
}

std::string FleetLog::Write(const std::string& line) {
  // One write at the end: appended whole, never interleaved with another
  // line. A short one (a full disk) is cut off again, so no half line stays.
  const HANDLE file = AsHandle(file_);
  LARGE_INTEGER before{};
  const bool sized = ::GetFileSizeEx(file, &before) != 0;
  OVERLAPPED atEnd{};
  atEnd.Offset = kEndOfFile;
  atEnd.OffsetHigh = kEndOfFile;
  DWORD written = 0;
  const BOOL wrote = ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, &atEnd);
  if (wrote && written == line.size()) return {};
  const DWORD error = wrote ? ERROR_DISK_FULL : ::GetLastError();
  if (written > 0 && sized) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile = before;
    ::SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end);
  }
  return windows::ErrorText(error);
}

}  // namespace korvel::cli
