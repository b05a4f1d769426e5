#include "channel_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <utility>

namespace korvel {
namespace {

// Opens a new file named base + six random characters, with mode 0666 less
// the umask (the mode any new file of the user gets); fills in its name.
int CreateTemporary(const std::string& base, std::string* name) {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = base;
    for (int i = 0; i < 6; ++i) candidate += kChars[random() % (sizeof kChars - 1)];
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      *name = std::move(candidate);
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

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

Status LoadChannelFile(const std::string& path, MemoryImage& image) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return Status::FromError(FailureKind::FileOpen, "Cannot open", path, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode))
    return Status::FromError(FailureKind::FileOpen, "Cannot open", path, EISDIR);
  MemoryImage loaded;
  std::size_t got = 0;
  while (got < loaded.size()) {
    const ssize_t r = ::read(fd.get(), loaded.data() + got, loaded.size() - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      return Status::FromError(FailureKind::FileRead, "Cannot read", path, errno);
    }
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  if (got < loaded.size())
    return Status::Failure(FailureKind::FileFormat, "\"" + path + "\" is not a channel data file: it holds " + std::to_string(got) +
                               " bytes, a channel data file holds " + std::to_string(kImageSize) + ".");
  image = loaded;
  return {};
}

Status SaveChannelFile(const std::string& path, const MemoryImage& image) {
  // The temporary file sits in the target's directory so the rename stays on
  // one file system and is atomic.
  std::string temp;
  FileDescriptor fd(CreateTemporary(path + ".", &temp));
  if (fd.get() < 0) return Status::FromError(FailureKind::FileWrite, "Cannot save", path, errno);
  // A file being replaced keeps its permissions; a new one has the mode the
  // temporary file was created with.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) ::fchmod(fd.get(), st.st_mode & 07777);
  if (!WriteAll(fd.get(), image.data(), image.size()) || ::fsync(fd.get()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return Status::FromError(FailureKind::FileWrite, "Cannot save", path, error);
  }
  if (::close(fd.release()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return Status::FromError(FailureKind::FileWrite, "Cannot save", path, error);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return Status::FromError(FailureKind::FileWrite, "Cannot save", path, error);
  }
  return {};
}

}  // namespace korvel
