#include "atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <random>
#include <utility>

namespace korvel {
namespace {

// Older than this, a temporary file of ours is a killed save's.
constexpr std::time_t kStaleSeconds = 60;
constexpr int kMaxLinks = 40;

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links from path to the file they name (which need not
// exist yet). Fills *error and returns "" on a loop or a failed read.
std::string ResolveLinks(const std::string& path, int* error) {
  std::string current = path;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(current.c_str(), buffer, sizeof buffer - 1);
    if (n < 0) {
      *error = errno;
      return {};
    }
    const std::string link(buffer, static_cast<std::size_t>(n));
    current = link.front() == '/' ? link : DirectoryOf(current) + "/" + link;
  }
  *error = ELOOP;
  return {};
}

std::string RandomName() {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::string name = kTemporaryPrefix;
  for (int i = 0; i < 8; ++i) name += kChars[random() % (sizeof kChars - 1)];
  return name;
}

void RemoveStaleTemporaries(const std::string& directory) {
  DIR* dir = ::opendir(directory.c_str());
  if (dir == nullptr) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.rfind(kTemporaryPrefix, 0) != 0) continue;
    const std::string path = directory + "/" + name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime > kStaleSeconds)
      ::unlink(path.c_str());
  }
  ::closedir(dir);
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, data, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += w;
    n -= static_cast<std::size_t>(w);
  }
  return true;
}

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

Status AtomicFile::Fail(int error) {
  Discard();
  return Status::FromError(FailureKind::FileWrite, "Cannot save", path_, error);
}

void AtomicFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!tempName_.empty()) ::unlink((directory_ + "/" + tempName_).c_str());
  tempName_.clear();
}

Status AtomicFile::Prepare(const std::string& path) {
  Discard();
  path_ = path;
  int error = 0;
  target_ = ResolveLinks(path, &error);
  if (target_.empty()) return Fail(error != 0 ? error : ENOENT);
  directory_ = DirectoryOf(target_);

  struct stat st {};
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists) {
    if (S_ISDIR(st.st_mode)) return Fail(EISDIR);
    if (!S_ISREG(st.st_mode)) {
      Discard();
      return Status::Failure(FailureKind::FileWrite, "Cannot save \"" + path + "\": it is not a regular file");
    }
    // A read-only file stays as it is, for every user: the privileged one
    // passes the access check but not the file's own mode.
    if (::access(target_.c_str(), W_OK) != 0) return Fail(errno);
    if ((st.st_mode & 0222) == 0) return Fail(EACCES);
  } else if (errno != ENOENT) {
    return Fail(errno);
  }

  RemoveStaleTemporaries(directory_);
  // Anonymous until complete: a killed save leaves nothing behind.
  fd_ = ::open(directory_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  anonymous_ = fd_ >= 0;
  if (!anonymous_) {
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return Fail(errno);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      const std::string name = RandomName();
      fd_ = ::open((directory_ + "/" + name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        tempName_ = name;
      } else if (errno != EEXIST) {
        return Fail(errno);
      }
    }
    if (fd_ < 0) return Fail(EEXIST);
  }
  // The replaced file keeps its permissions; a new one has the mode a new
  // file of the user gets (0666 less the umask, applied at creation).
  if (exists) ::fchmod(fd_, st.st_mode & 07777);
  return {};
}

Status AtomicFile::Commit(const std::uint8_t* data, std::size_t size) { return Finish(data, size, true); }

Status AtomicFile::CommitAsNew(const std::uint8_t* data, std::size_t size) { return Finish(data, size, false); }

bool AtomicFile::Place(bool replace) {
  const std::string temporary = directory_ + "/" + tempName_;
  if (replace) return ::rename(temporary.c_str(), target_.c_str()) == 0;
  if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the no-replace rename: a hard link never
  // replaces either.
  if (::link(temporary.c_str(), target_.c_str()) != 0) return false;
  ::unlink(temporary.c_str());
  return true;
}

Status AtomicFile::Finish(const std::uint8_t* data, std::size_t size, bool replace) {
  if (fd_ < 0) return Fail(EBADF);
  if (!WriteAll(fd_, data, size) || ::fsync(fd_) != 0) return Fail(errno);
  if (anonymous_) {
    // Give the complete file a hidden name, then rename it over the target.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100 && tempName_.empty(); ++attempt) {
      const std::string name = RandomName();
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, (directory_ + "/" + name).c_str(), AT_SYMLINK_FOLLOW) == 0) {
        tempName_ = name;
      } else if (errno != EEXIST) {
        return Fail(errno);
      }
    }
    if (tempName_.empty()) return Fail(EEXIST);
  }
  if (::close(std::exchange(fd_, -1)) != 0) return Fail(errno);
  if (!Place(replace)) return Fail(errno);
  tempName_.clear();
  // The rename itself reaches the disk with the folder.
  const int dir = ::open(directory_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

}  // namespace korvel
