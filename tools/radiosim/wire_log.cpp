#include "wire_log.h"

#include <cerrno>
#include <cstring>

namespace korvel::radiosim {

WireLog::~WireLog() {
  if (file_) std::fclose(file_);
}

bool WireLog::Open(const std::string& path, std::string* error) {
  file_ = std::fopen(path.c_str(), "w");
  if (!file_) {
    if (error) *error = path + ": " + std::strerror(errno);
    return false;
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
