#include "wire_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace korvel::radiosim {

WireLog::~WireLog() {
  if (file_) std::fclose(file_);
}

bool WireLog::Open(const std::string& path, ExistingLog existing, std::string* error) {
  const auto refuse = [&](const std::string& reason) {
    if (error) *error = path + ": " + reason;
    return false;
  };
  int flags = O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  if (existing == ExistingLog::kRefuse) flags |= O_EXCL;
  const int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) {
    if (errno == EEXIST) return refuse("exists; --log-append adds to it, --log-replace starts it anew");
    if (errno == ELOOP) return refuse("is a symbolic link, which the log does not follow");
    // A pipe nobody reads.
    if (errno == ENXIO) return refuse("not a regular file");
    return refuse(std::strerror(errno));
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return refuse("not a regular file");
  }
  if (existing == ExistingLog::kReplace && ::ftruncate(fd, 0) != 0) {
    const int failure = errno;
    ::close(fd);
    return refuse(std::strerror(failure));
  }
  file_ = ::fdopen(fd, "a");
  if (!file_) {
    ::close(fd);
    return refuse(std::strerror(errno));
  }
  start_ = std::chrono::steady_clock::now();
  return true;
}

void WireLog::Record(Sender sender, const std::uint8_t* data, std::size_t n, TimePoint when) {
  if (!file_ || n == 0) return;
  const double seconds = std::chrono::duration<double>(when - start_).count();
  std::fprintf(file_, "%.6f %-5s", seconds, sender == Sender::kPc ? "pc" : "radio");
  for (std::size_t i = 0; i < n; ++i) std::fprintf(file_, " %02X", data[i]);
  std::fputc('\n', file_);
  // Flushed line by line so the log is complete however the run ends.
  std::fflush(file_);
}

void WireLog::RecordTestCommand(const TestCommand& command, TimePoint when) {
  if (!file_) return;
  const double seconds = std::chrono::duration<double>(when - start_).count();
  std::fprintf(file_, "%.6f note  test command %02X frequency", seconds, command.command);
  for (std::uint8_t b : command.frequencyBlock) std::fprintf(file_, " %02X", b);
  std::fputs(" parameters", file_);
  for (std::uint8_t b : command.parameterBlock) std::fprintf(file_, " %02X", b);
  std::fputc('\n', file_);
  std::fflush(file_);
}

}  // namespace korvel::radiosim
