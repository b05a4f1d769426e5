#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fleet_log.h"

namespace korvel::cli {
namespace {

int Descriptor(std::intptr_t file) { return static_cast<int>(file); }

}  // namespace

FleetLog::~FleetLog() {
  if (file_ >= 0) ::close(Descriptor(file_));
}

Status FleetLog::OpenFile(bool* empty) {
  // Non-blocking, so that a FIFO cannot hold the open: one nobody reads
  // fails it with ENXIO, as a socket or a missing device does.
  const std::string notRegular = "Cannot open the log \"" + path_ + "\": it is not a regular file";
  const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0 && errno == ENXIO) return Status::Failure(FailureKind::FileOpen, notRegular);
  if (fd < 0) return Status::FromError(FailureKind::FileOpen, "Cannot open the log", path_, errno);
  file_ = fd;
  struct stat st {};
  if (::fstat(fd, &st) != 0) return Status::FromError(FailureKind::FileOpen, "Cannot open the log", path_, errno);
  if (!S_ISREG(st.st_mode)) return Status::Failure(FailureKind::FileOpen, notRegular);
  *empty = st.st_size == 0;
  return {};
}

std::string FleetLog::Reserve(std::size_t room) {
  // The blocks after the end are the file's from now on (its size stays),
  // so the lines go into them even when the disk fills meanwhile.
  const int fd = Descriptor(file_);
  const off_t end = ::lseek(fd, 0, SEEK_END);
  int reserved;
  do {
    reserved = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, end, static_cast<off_t>(room));
  } while (reserved != 0 && errno == EINTR);
  if (reserved != 0 && errno != EOPNOTSUPP && errno != ENOSYS) return SystemReason(errno);
  if (::fsync(fd) != 0) return SystemReason(errno);
  return {};
}

std::string FleetLog::Write(const std::string& line) {
  // One write: appended whole, never interleaved with another line. A
  // short one (a full disk) is cut off again, so no half line stays.
  const int fd = Descriptor(file_);
  const off_t before = ::lseek(fd, 0, SEEK_END);
  const ssize_t written = ::write(fd, line.data(), line.size());
  if (written >= 0 && static_cast<std::size_t>(written) == line.size()) return {};
  const int error = written < 0 ? errno : ENOSPC;
  if (written > 0 && before >= 0) {
    [[maybe_unused]] const int cut = ::ftruncate(fd, before);
  }
  return SystemReason(error);
}

}  // namespace korvel::cli
