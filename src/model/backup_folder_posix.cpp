#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "backup_folder.h"

namespace korvel::backup_folder {
namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) return found->pw_dir;
  return ".";
}

}  // namespace

// $XDG_DATA_HOME/Korvel/backups, or $HOME/.local/share/Korvel/backups when
// XDG_DATA_HOME is unset, empty or not an absolute path.
std::string DefaultFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  const std::string base = data != nullptr && data[0] == '/' ? std::string(data) : HomeFolder() + "/.local/share";
  return base + "/Korvel/backups";
}

// mkdir -p with mode 0700 for what it makes.
Status Make(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string prefix = folder.substr(0, slash);
    if (!prefix.empty() && ::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
      return Status::FromError(FailureKind::FileWrite, "Cannot make the backup folder", prefix, errno);
    if (slash == std::string::npos) break;
  }
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0)
    return Status::FromError(FailureKind::FileWrite, "Cannot make the backup folder", folder, errno);
  if (!S_ISDIR(st.st_mode))
    return Status::FromError(FailureKind::FileWrite, "Cannot make the backup folder", folder, ENOTDIR);
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    return Status::FromError(FailureKind::FileWrite, "Cannot keep backups in", folder, errno);
  return {};
}

std::vector<std::string> RegularFiles(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* item = ::readdir(dir)) {
    struct stat st {};
    const std::string name = item->d_name;
    if (::lstat((folder + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

void Remove(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace korvel::backup_folder
