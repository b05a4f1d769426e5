#include "fleet_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "model/local_time.h"
#include "model/number_text.h"

namespace korvel::cli {
namespace {

// A field quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

FleetLog::~FleetLog() {
  if (fd_ >= 0) ::close(fd_);
}

Status FleetLog::Open(const std::string& path, std::size_t room) {
  path_ = path;
  // Non-blocking, so that a FIFO cannot hold the open: one nobody reads
  // fails it with ENXIO, as a socket or a missing device does.
  const std::string notRegular = "Cannot open the log \"" + path + "\": it is not a regular file";
  fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd_ < 0 && errno == ENXIO) return Status::Failure(FailureKind::FileOpen, notRegular);
  if (fd_ < 0) return Status::FromError(FailureKind::FileOpen, "Cannot open the log", path, errno);
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return Status::FromError(FailureKind::FileOpen, "Cannot open the log", path, errno);
  if (!S_ISREG(st.st_mode)) return Status::Failure(FailureKind::FileOpen, notRegular);
  if (st.st_size == 0) {
    if (const int error = Write(std::string(kFleetLogHeader) + "\n"); error != 0) return WriteFailure(error);
  }
  return Reserve(room);
}

Status FleetLog::Reserve(std::size_t room) {
  // The blocks after the end are the file's from now on (its size stays),
  // so the lines go into them even when the disk fills meanwhile.
  const off_t end = ::lseek(fd_, 0, SEEK_END);
  int reserved;
  do {
    reserved = ::fallocate(fd_, FALLOC_FL_KEEP_SIZE, end, static_cast<off_t>(room));
  } while (reserved != 0 && errno == EINTR);
  if (reserved != 0 && errno != EOPNOTSUPP && errno != ENOSYS) return WriteFailure(errno);
  if (::fsync(fd_) != 0) return WriteFailure(errno);
  return {};
}

Status FleetLog::Append(const FleetRecord& record) {
  const std::string seconds = FormatFixed(record.seconds, 0, 1);
  const std::string line = CsvField(IsoLocalTime(record.when)) + "," + CsvField(record.port) + "," +
                           CsvField(record.radio) + "," + CsvField(record.result) + "," + CsvField(record.verify) +
                           "," + seconds + "\n";
  std::lock_guard lock(mutex_);
  const int error = Write(line);
  if (error == 0) return {};
  if (firstFailure_.empty()) firstFailure_ = SystemReason(error);
  return WriteFailure(error);
}

std::string FleetLog::FirstFailure() {
  std::lock_guard lock(mutex_);
  return firstFailure_;
}

int FleetLog::Write(const std::string& line) {
  // One write: appended whole, never interleaved with another line. A
  // short one (a full disk) is cut off again, so no half line stays.
  const off_t before = ::lseek(fd_, 0, SEEK_END);
  const ssize_t written = ::write(fd_, line.data(), line.size());
  if (written >= 0 && static_cast<std::size_t>(written) == line.size()) return 0;
  const int error = written < 0 ? errno : ENOSPC;
  if (written > 0 && before >= 0) {
    [[maybe_unused]] const int cut = ::ftruncate(fd_, before);
  }
  return error;
}

Status FleetLog::WriteFailure(int error) const {
  return Status::FromError(FailureKind::FileWrite, "Cannot write the log", path_, error);
}

}  // namespace korvel::cli
