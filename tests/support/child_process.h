#pragma once
// Programs the build made, run as child processes: standard input from
// /dev/null, standard output and error captured in files.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace korvel::test {

// A program of the build, by its path under the build folder
// (KORVEL_TEST_BINARY_DIR, which every test gets in its environment).
std::string ToolPath(const std::string& relative);

class ChildProcess {
 public:
  ChildProcess() = default;
  // A child still running is killed.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts argv[0] with the test's environment plus extraEnv ("NAME=value"),
  // in a process group of its own.
  bool Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {});
  // The first line of standard output, waiting up to timeoutMs for it;
  // false when the child ended or the time ran out first.
  bool FirstLine(std::string* line, int timeoutMs);
  // Polls every few milliseconds until done() or timeoutMs; false on time-out.
  static bool WaitFor(const std::function<bool()>& done, int timeoutMs);
  void Signal(int signal);
  // The exit status, 128 + the signal for a death by signal, or -1 when the
  // child had to be killed after timeoutMs.
  int Wait(int timeoutMs);
  bool Running() const { return pid_ > 0; }
  std::string Stdout() const;
  std::string Stderr() const;

 private:
  pid_t pid_ = -1;
  std::string outPath_;
  std::string errPath_;
};

// A program run to its end.
struct ChildRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs argv to its end; killed (status -1) after timeoutMs.
ChildRun RunChild(const std::vector<std::string>& argv, int timeoutMs = 60'000,
                  const std::vector<std::string>& extraEnv = {});

}  // namespace korvel::test
