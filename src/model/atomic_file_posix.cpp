#include "atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace korvel {
namespace {

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

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A save holds its temporary file locked (flock) from its creation until it
// is renamed or removed, so a temporary that nobody holds is a killed
// save's, whatever its age. A file system without locks keeps its
// temporaries: neither the save nor this cleanup can lock them.
void RemoveStaleTemporaries(const std::string& directory) {
  DIR* dir = ::opendir(directory.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.rfind(kTemporaryPrefix, 0) != 0) continue;
    const std::string path = directory + "/" + name;
    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) continue;
    // Any access will do for the lock; a temporary has the mode of the file
    // it replaces, which may be write-only.
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat held {};
    // Removed only while locked here, and only the file that was locked:
    // a save that created it a moment ago finds it gone once it gets the
    // lock, and takes another name.
    if (::fstat(fd, &held) == 0 && SameFile(held, named) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(path.c_str(), &named) == 0 && SameFile(held, named))
      ::unlink(path.c_str());
    ::close(fd);
  }
  ::closedir(dir);
}

// A locked temporary file under a fresh hidden name in directory; 0 or
// errno (EEXIST: try another name).
int CreateNamed(const std::string& directory, int* fd_out, std::string* name_out) {
  const std::string name = TemporaryName();
  const std::string path = directory + "/" + name;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  // Until the lock is held a cleanup may take the new file for a stale one:
  // then the name is gone (or another file's) and the next attempt starts over.
  ::flock(fd, LOCK_EX);
  struct stat held {}, named {};
  if (::fstat(fd, &held) != 0 || ::lstat(path.c_str(), &named) != 0 || !SameFile(held, named)) {
    ::close(fd);
    return EEXIST;
  }
  *fd_out = fd;
  *name_out = name;
  return 0;
}

// Gives the temporary file the owner, group and mode of the file it
// replaces; 0 or errno.
int KeepOwnerAndMode(int fd, const struct stat& old) {
  // The replaced file keeps its owner and group where this process may give
  // them (the privileged user both, an ordinary one a group of its own);
  // elsewhere (EPERM, or EINVAL for an id this user namespace cannot name)
  // the new file is the user's, as an editor's save makes it.
  struct stat now {};
  if (::fstat(fd, &now) != 0) return errno;
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 &&
        errno != EPERM && errno != EINVAL)
      return errno;
  }
  // Then its permissions (a change of owner clears the set-id bits); a new
  // file has the mode a new file of the user gets (0666 less the umask).
  ::fchmod(fd, old.st_mode & 07777);
  return 0;
}

// Moves the complete temporary file to the target; false with errno set.
bool Place(const std::string& temporary, const std::string& target, bool replace) {
  if (replace) return ::rename(temporary.c_str(), target.c_str()) == 0;
  if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the no-replace rename: a hard link never
  // replaces either.
  if (::link(temporary.c_str(), target.c_str()) != 0) return false;
  ::unlink(temporary.c_str());
  return true;
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
  // Removed while still locked, so no cleanup takes another file for it.
  if (!tempName_.empty()) ::unlink((directory_ + "/" + tempName_).c_str());
  tempName_.clear();
  if (file_ >= 0) ::close(static_cast<int>(file_));
  file_ = -1;
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
  int fd = ::open(directory_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  anonymous_ = fd >= 0;
  if (anonymous_) {
    // Locked before it gets its hidden name; the lock belongs to this open
    // file, so it holds the name too once the file is linked.
    ::flock(fd, LOCK_EX);
  } else {
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return Fail(errno);
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
      if (const int error = CreateNamed(directory_, &fd, &tempName_); error != 0 && error != EEXIST)
        return Fail(error);
    }
    if (fd < 0) return Fail(EEXIST);
  }
  file_ = fd;
  if (exists) {
    if (const int error = KeepOwnerAndMode(fd, st); error != 0) return Fail(error);
  }
  return {};
}

Status AtomicFile::Commit(const std::uint8_t* data, std::size_t size) { return Finish(data, size, true); }

Status AtomicFile::CommitAsNew(const std::uint8_t* data, std::size_t size) { return Finish(data, size, false); }

Status AtomicFile::Finish(const std::uint8_t* data, std::size_t size, bool replace) {
  if (file_ < 0) return Fail(EBADF);
  const int fd = static_cast<int>(file_);
  if (!WriteAll(fd, data, size) || ::fsync(fd) != 0) return Fail(errno);
  if (anonymous_) {
    // Give the complete file a hidden name, then rename it over the target.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100 && tempName_.empty(); ++attempt) {
      const std::string name = TemporaryName();
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, (directory_ + "/" + name).c_str(), AT_SYMLINK_FOLLOW) == 0) {
        tempName_ = name;
      } else if (errno != EEXIST) {
        return Fail(errno);
      }
    }
    if (tempName_.empty()) return Fail(EEXIST);
  }
  // Renamed while still open and locked, so no cleanup takes it for stale.
  if (!Place(directory_ + "/" + tempName_, target_, replace)) return Fail(errno);
  tempName_.clear();
  // The content is on the disk (fsync above); closing cannot lose it.
  file_ = -1;
  ::close(fd);
  // The rename itself reaches the disk with the folder.
  const int dir = ::open(directory_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

}  // namespace korvel
