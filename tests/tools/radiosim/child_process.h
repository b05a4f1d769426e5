#pragma once
// Test helpers: a child process with its output in files, the simulator
// started as one, and a scratch directory.

#include <sys/types.h>

#include <string>
#include <vector>

#include "model/memory_image.h"

namespace korvel::test {

// Where the build put the tools (KORVEL_TEST_BINARY_DIR).
std::string ToolPath(const std::string& relative);

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::string Path(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Standard input from /dev/null; standard output and error to files.
  // extraEnv entries are "NAME=value".
  bool Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {});
  // The first line of standard output, waiting up to timeoutMs for it.
  bool FirstLine(std::string* line, int timeoutMs);
  void Signal(int signal);
  // The exit status, or -1 when the process had to be killed after timeoutMs;
  // a death by signal gives 128 + the signal.
  int Wait(int timeoutMs);
  bool Running() const { return pid_ > 0; }
  std::string Stdout() const;
  std::string Stderr() const;

 private:
  pid_t pid_ = -1;
  std::string outPath_;
  std::string errPath_;
};

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs korvel-cli to its end (killed after timeoutMs).
CliRun RunCli(const std::vector<std::string>& args, int timeoutMs = 60'000,
              const std::vector<std::string>& extraEnv = {});

// korvel-radiosim as a child process, serving until Stop.
class Simulator {
 public:
  bool Start(const std::vector<std::string>& args);
  const std::string& Device() const { return device_; }
  // SIGTERM, then the exit status.
  int Stop();
  std::string Stderr() const { return process_.Stderr(); }

 private:
  ChildProcess process_;
  std::string device_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
MemoryImage ImageFromFile(const std::string& path);
void WriteImage(const std::string& path, const MemoryImage& image);
// Every byte value occurs, control characters of a terminal included.
MemoryImage PatternImage(unsigned seed);
bool Exists(const std::string& path);

}  // namespace korvel::test
