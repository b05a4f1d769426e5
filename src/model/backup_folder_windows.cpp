#include <shlobj.h>

#include <cerrno>

#include "backup_folder.h"
#include "windows_text.h"

namespace korvel::backup_folder {
namespace {

std::string LocalAppData() {
  if (const wchar_t* data = ::_wgetenv(L"LOCALAPPDATA"); data != nullptr && *data != L'\0')
    return windows::Utf8(data);
  wchar_t* known = nullptr;
  std::string folder = ".";
  if (::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known) == S_OK) folder = windows::Utf8(known);
  ::CoTaskMemFree(known);
  return folder;
}

// Where the path's folders start: after a drive's or a share's root.
std::size_t FirstFolder(const std::string& path) {
  const bool share = path.size() > 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
  if (!share) return path.size() > 2 && path[1] == ':' ? 3 : 1;
  std::size_t at = path.find_first_of("/\\", 2);
  at = at == std::string::npos ? at : path.find_first_of("/\\", at + 1);
  return at == std::string::npos ? path.size() : at;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(windows::LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::string DefaultFolder() { return LocalAppData() + "\\Korvel\\backups"; }

Status Make(const std::string& folder) {
  bool fileInTheWay = false;
  for (std::size_t slash = folder.find_first_of("/\\", FirstFolder(folder));;
       slash = folder.find_first_of("/\\", slash + 1)) {
    const std::string prefix = folder.substr(0, slash);
    if (!prefix.empty() && !::CreateDirectoryW(windows::LongPath(prefix).c_str(), nullptr)) {
      const DWORD error = ::GetLastError();
      // Under a file: the reason Linux gives, rather than "path not found".
      if (fileInTheWay)
        return Status::FromError(FailureKind::FileWrite, "Cannot make the backup folder", prefix, ENOTDIR);
      fileInTheWay = error == ERROR_ALREADY_EXISTS && !IsFolder(prefix);
      if (error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED)
        return windows::FromError(FailureKind::FileWrite, "Cannot make the backup folder", prefix, error);
    }
    if (slash == std::string::npos) break;
  }
  if (!IsFolder(folder))
    return Status::FromError(FailureKind::FileWrite, "Cannot make the backup folder", folder, ENOTDIR);
  const std::wstring path = windows::LongPath(folder);
  // Windows has no access check for a folder: a file made and dropped is one.
  const std::wstring probe = path + L"\\.korvel-probe-" + std::to_wstring(::GetCurrentProcessId());
  const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return windows::FromError(FailureKind::FileWrite, "Cannot keep backups in", folder, ::GetLastError());
  ::CloseHandle(file);
  return {};
}

std::vector<std::string> RegularFiles(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((windows::LongPath(folder) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0)
      names.push_back(windows::Utf8(found.cFileName));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesW(windows::LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Remove(const std::string& path) { ::DeleteFileW(windows::LongPath(path).c_str()); }

}  // namespace korvel::backup_folder
