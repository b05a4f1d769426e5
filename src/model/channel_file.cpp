#include "channel_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <string>

namespace korvel {
namespace {

std::string Describe(const std::string& what, const std::string& path, int error) {
  return what + " \"" + path + "\": " + std::strerror(error);
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

FileResult LoadChannelFile(const std::string& path, MemoryImage& image) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return FileResult::Failure(Describe("Cannot open", path, errno));
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode))
    return FileResult::Failure(Describe("Cannot open", path, EISDIR));
  MemoryImage loaded;
  std::size_t got = 0;
  while (got < loaded.size()) {
    const ssize_t r = ::read(fd.get(), loaded.data() + got, loaded.size() - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      return FileResult::Failure(Describe("Cannot read", path, errno));
    }
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  if (got < loaded.size())
    return FileResult::Failure("\"" + path + "\" is not a channel data file: it holds " + std::to_string(got) +
                               " bytes, a channel data file holds " + std::to_string(kImageSize) + ".");
  image = loaded;
  return {};
}

FileResult SaveChannelFile(const std::string& path, const MemoryImage& image) {
  // The temporary file sits in the target's directory so the rename stays on
  // one file system and is atomic.
  std::string temp = path + ".XXXXXX";
  FileDescriptor fd(::mkstemp(temp.data()));
  if (fd.get() < 0) return FileResult::Failure(Describe("Cannot save", path, errno));
  // Keep the permissions of a file being replaced; new files get the usual
  // mode under the umask.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    ::fchmod(fd.get(), st.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd.get(), 0666 & ~mask);
  }
  if (!WriteAll(fd.get(), image.data(), image.size()) || ::fsync(fd.get()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return FileResult::Failure(Describe("Cannot save", path, error));
  }
  if (::close(fd.release()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return FileResult::Failure(Describe("Cannot save", path, error));
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return FileResult::Failure(Describe("Cannot save", path, error));
  }
  return {};
}

}  // namespace korvel
