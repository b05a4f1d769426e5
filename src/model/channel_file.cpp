#include "channel_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "atomic_file.h"

namespace korvel {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

Status LoadChannelFile(const std::string& path, MemoryImage& image, std::uintmax_t* fileSize) {
  // Non-blocking, so that a FIFO can't hold the open; only a regular file is
  // read at all.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return Status::FromError(FailureKind::FileOpen, "Cannot open", path, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Status::FromError(FailureKind::FileOpen, "Cannot open", path, errno);
  if (S_ISDIR(st.st_mode)) return Status::FromError(FailureKind::FileOpen, "Cannot open", path, EISDIR);
  if (!S_ISREG(st.st_mode))
    return Status::Failure(FailureKind::FileOpen,
                           "Cannot open \"" + path + "\": it is not a regular file (a device, pipe or socket)");
  MemoryImage loaded;
  std::size_t got = 0;
  while (got < loaded.size()) {
    const ssize_t r = ::read(fd.get(), loaded.data() + got, loaded.size() - got);
    if (r < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return Status::FromError(FailureKind::FileRead, "Cannot read", path, errno);
    }
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  if (got < loaded.size())
    return Status::Failure(FailureKind::FileFormat, "\"" + path + "\" is not a channel data file: it holds " +
                                                        std::to_string(got) + " bytes, a channel data file holds " +
                                                        std::to_string(kImageSize) + ".");
  image = loaded;
  if (fileSize != nullptr) *fileSize = static_cast<std::uintmax_t>(st.st_size);
  return {};
}

std::string LongFileNotice(const std::string& path, std::uintmax_t size) {
  return "\"" + path + "\" holds " + std::to_string(size) + " bytes; only its first " + std::to_string(kImageSize) +
         " are channel data, the rest was not loaded and is not saved.";
}

Status SaveChannelFile(const std::string& path, const MemoryImage& image) {
  AtomicFile file;
  if (Status prepared = file.Prepare(path); !prepared) return prepared;
  return file.Commit(image.data(), image.size());
}

}  // namespace korvel
