#include "readable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace korvel {

ReadableFile::~ReadableFile() {
  if (file_ >= 0) ::close(static_cast<int>(file_));
}

Status ReadableFile::Open(const std::string& path) {
  path_ = path;
  // Non-blocking, so that a FIFO can't hold the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  file_ = fd;
  if (fd < 0) return Status::FromError(FailureKind::FileOpen, "Cannot open", path, errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0) return Status::FromError(FailureKind::FileOpen, "Cannot open", path, errno);
  if (S_ISDIR(st.st_mode)) return Status::FromError(FailureKind::FileOpen, "Cannot open", path, EISDIR);
  if (!S_ISREG(st.st_mode))
    return Status::Failure(FailureKind::FileOpen,
                           "Cannot open \"" + path + "\": it is not a regular file (a device, pipe or socket)");
  size_ = static_cast<std::uintmax_t>(st.st_size);
  return {};
}

Status ReadableFile::Read(void* data, std::size_t size, std::size_t* got) {
  *got = 0;
  while (*got < size) {
    const ssize_t r = ::read(static_cast<int>(file_), static_cast<char*>(data) + *got, size - *got);
    if (r < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return Status::FromError(FailureKind::FileRead, "Cannot read", path_, errno);
    }
    if (r == 0) break;
    *got += static_cast<std::size_t>(r);
  }
  return {};
}

}  // namespace korvel
