#pragma once
// korvel-cli and korvel-radiosim run as child processes, as the user runs
// them: the simulator serving a pseudo-terminal, the command line talking to
// it through its device.

#include <cstdint>
#include <string>
#include <vector>

#include "child_process.h"

namespace korvel::test {

// korvel-cli with args, run to its end (killed after timeoutMs).
ChildRun RunCli(const std::vector<std::string>& args, int timeoutMs = 60'000,
                const std::vector<std::string>& extraEnv = {});

// korvel-radiosim as a child process, serving until Stop.
class Simulator {
 public:
  // Starts it with args and waits for the device it serves.
  bool Start(const std::vector<std::string>& args);
  const std::string& Device() const { return device_; }
  // SIGTERM, then the exit status.
  int Stop();
  std::string Stderr() const { return process_.Stderr(); }

 private:
  ChildProcess process_;
  std::string device_;
};

// The bytes one side ("pc" or "radio") sent, in order, from a --log file.
std::vector<std::uint8_t> LoggedBytes(const std::string& log, const std::string& sender);

}  // namespace korvel::test
