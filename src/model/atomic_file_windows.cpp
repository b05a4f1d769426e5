#include <cerrno>

#include "atomic_file.h"
#include "windows_text.h"

namespace korvel {
namespace {

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  // "C:\" and "\" stay the root they name.
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

std::string Join(const std::string& directory, const std::string& name) {
  const char last = directory.empty() ? '\\' : directory.back();
  return last == '\\' || last == '/' ? directory + name : directory + "\\" + name;
}

// A save holds its temporary file open unshared until it closes it to move
// it over the target, so a temporary that opens for deletion unshared is a
// killed save's: it goes when that handle closes.
void RemoveStaleTemporaries(const std::string& directory) {
  WIN32_FIND_DATAW found{};
  const std::wstring folder = windows::LongPath(directory);
  const HANDLE search = ::FindFirstFileW((folder + L"\\" + windows::Wide(kTemporaryPrefix) + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) continue;
    const HANDLE stale = ::CreateFileW((folder + L"\\" + found.cFileName).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (stale != INVALID_HANDLE_VALUE) ::CloseHandle(stale);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

bool WriteAll(HANDLE file, const std::uint8_t* data, std::size_t n) {
  while (n > 0) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(n < (1u << 30) ? n : (1u << 30));
    if (!::WriteFile(file, data, chunk, &written, nullptr)) return false;
    data += written;
    n -= written;
  }
  return true;
}

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

Status AtomicFile::Fail(int error) {
  Discard();
  return windows::FromError(FailureKind::FileWrite, "Cannot save", path_, static_cast<DWORD>(error));
}

void AtomicFile::Discard() {
  // Closed first: the file is held unshared, even against this process.
  if (windows::AsHandle(file_) != INVALID_HANDLE_VALUE) ::CloseHandle(windows::AsHandle(file_));
  file_ = -1;
  if (!tempName_.empty()) ::DeleteFileW(windows::LongPath(Join(directory_, tempName_)).c_str());
  tempName_.clear();
}

Status AtomicFile::Prepare(const std::string& path) {
  Discard();
  path_ = path;
  target_ = path;
  directory_ = DirectoryOf(target_);

  const DWORD attributes = ::GetFileAttributesW(windows::LongPath(target_).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      Discard();
      return Status::FromError(FailureKind::FileWrite, "Cannot save", path, EISDIR);
    }
    if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
      Discard();
      return Status::Failure(FailureKind::FileWrite, "Cannot save \"" + path + "\": it is not a regular file");
    }
    // A read-only file stays as it is.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return Fail(ERROR_ACCESS_DENIED);
  } else if (const DWORD error = ::GetLastError(); error != ERROR_FILE_NOT_FOUND) {
    return Fail(error);
  }

  RemoveStaleTemporaries(directory_);
  for (int attempt = 0; attempt < 100 && tempName_.empty(); ++attempt) {
    const std::string name = TemporaryName();
    const HANDLE file = ::CreateFileW(windows::LongPath(Join(directory_, name)).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (const DWORD error = ::GetLastError(); error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
        return Fail(error);
      continue;
    }
    file_ = reinterpret_cast<std::intptr_t>(file);
    tempName_ = name;
  }
  if (tempName_.empty()) return Fail(ERROR_FILE_EXISTS);
  return {};
}

Status AtomicFile::Commit(const std::uint8_t* data, std::size_t size) { return Finish(data, size, true); }

Status AtomicFile::CommitAsNew(const std::uint8_t* data, std::size_t size) { return Finish(data, size, false); }

Status AtomicFile::Finish(const std::uint8_t* data, std::size_t size, bool replace) {
  if (windows::AsHandle(file_) == INVALID_HANDLE_VALUE) return Fail(ERROR_INVALID_HANDLE);
  if (!WriteAll(windows::AsHandle(file_), data, size) || !::FlushFileBuffers(windows::AsHandle(file_))) return Fail(::GetLastError());
  // The content is on the disk; the move opens the file itself.
  ::CloseHandle(windows::AsHandle(file_));
  file_ = -1;
  const std::wstring temporary = windows::LongPath(Join(directory_, tempName_));
  const std::wstring target = windows::LongPath(target_);
  bool placed = false;
  if (replace) {
    // ReplaceFileW keeps the replaced file's attributes, security and
    // creation time; a target that is not there (any more) is a move.
    placed = ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                            nullptr) != 0;
    if (!placed && ::GetLastError() == ERROR_FILE_NOT_FOUND)
      placed = ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  } else {
    placed = ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  }
  if (!placed) return Fail(::GetLastError());
  tempName_.clear();
  return {};
}

}  // namespace korvel
