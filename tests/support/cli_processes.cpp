#include "cli_processes.h"

#include <signal.h>

#include <sstream>

namespace korvel::test {

ChildRun RunCli(const std::vector<std::string>& args, int timeoutMs, const std::vector<std::string>& extraEnv) {
  std::vector<std::string> argv{ToolPath("tools/cli/korvel-cli")};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunChild(argv, timeoutMs, extraEnv);
}

bool Simulator::Start(const std::vector<std::string>& args) {
  std::vector<std::string> argv{ToolPath("tools/radiosim/korvel-radiosim")};
  argv.insert(argv.end(), args.begin(), args.end());
  return process_.Spawn(argv) && process_.FirstLine(&device_, 10'000);
}

int Simulator::Stop() {
  process_.Signal(SIGTERM);
  return process_.Wait(10'000);
}

std::vector<std::uint8_t> LoggedBytes(const std::string& log, const std::string& sender) {
  std::istringstream in(log);
  std::vector<std::uint8_t> bytes;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string time, who, hex;
    fields >> time >> who;
    if (who != sender) continue;
    while (fields >> hex) bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16)));
  }
  return bytes;
}

}  // namespace korvel::test
