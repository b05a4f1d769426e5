#include "fleet_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "model/local_time.h"

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

Status FleetLog::Open(const std::string& path) {
  path_ = path;
  fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) return Status::FromError(FailureKind::FileOpen, "Cannot open the log", path, errno);
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return Status::FromError(FailureKind::FileOpen, "Cannot open the log", path, errno);
  if (!S_ISREG(st.st_mode))
    return Status::Failure(FailureKind::FileOpen, "Cannot open the log \"" + path + "\": it is not a regular file");
  if (st.st_size == 0) return Write(std::string(kFleetLogHeader) + "\n");
  return {};
}

Status FleetLog::Append(const FleetRecord& record) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", record.seconds);
  const std::string line = CsvField(IsoLocalTime(record.when)) + "," + CsvField(record.port) + "," +
                           CsvField(record.radio) + "," + CsvField(record.result) + "," + CsvField(record.verify) +
                           "," + seconds + "\n";
  std::lock_guard lock(mutex_);
  return Write(line);
}

Status FleetLog::Write(const std::string& line) {
  // One write: appended whole, never interleaved with another line. A
  // short one (a full disk) is cut off again, so no half line stays.
  const off_t before = ::lseek(fd_, 0, SEEK_END);
  const ssize_t written = ::write(fd_, line.data(), line.size());
  if (written >= 0 && static_cast<std::size_t>(written) == line.size()) return {};
  const int error = written < 0 ? errno : ENOSPC;
  if (written > 0 && before >= 0) {
    [[maybe_unused]] const int cut = ::ftruncate(fd_, before);
  }
  return Status::FromError(FailureKind::FileWrite, "Cannot write the log", path_, error);
}

}  // namespace korvel::cli
