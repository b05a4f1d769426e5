#pragma once
// A text log of the bytes on the line: one line per chunk, with the time
// since the log was opened, the sender and the bytes in hex, e.g.
//     0.012345 pc    02 50 52
//     0.020833 radio 06
// and a line for each test command the radio took in whole, e.g.
//     0.745000 note  test command 73 frequency 00 00 60 14 00 00 60 14 parameters 00 00 00 00 FB 01 01 A0

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "radio_protocol.h"

namespace korvel::radiosim {

enum class Sender { kPc, kRadio };

// What Open does with a log file that exists already.
enum class ExistingLog { kRefuse, kAppend, kReplace };

class WireLog {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  WireLog() = default;
  ~WireLog();
  WireLog(const WireLog&) = delete;
  WireLog& operator=(const WireLog&) = delete;

  // Opens a regular file named by path itself, never through a symbolic
  // link (the simulator often runs as root on a shared machine); a pipe or
  // a device is refused too. An existing file is kept unless told.
  bool Open(const std::string& path, ExistingLog existing, std::string* error);
  bool IsOpen() const { return file_ != nullptr; }
  void Record(Sender sender, const std::uint8_t* data, std::size_t n, TimePoint when);
  void RecordTestCommand(const TestCommand& command, TimePoint when);

 private:
  std::FILE* file_ = nullptr;
  TimePoint start_{};
};

}  // namespace korvel::radiosim
