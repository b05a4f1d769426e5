#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "test_files.h"

extern char** environ;

namespace korvel::test {

std::string ToolPath(const std::string& relative) {
  const char* dir = std::getenv("KORVEL_TEST_BINARY_DIR");
  if (!dir || !*dir) throw std::runtime_error("KORVEL_TEST_BINARY_DIR is not set");
  return std::string(dir) + "/" + relative;
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (!outPath_.empty()) ::unlink(outPath_.c_str());
  if (!errPath_.empty()) ::unlink(errPath_.c_str());
}

bool ChildProcess::Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv) {
  if (argv.empty() || pid_ > 0) return false;
  std::string outName = (std::filesystem::temp_directory_path() / "korvel-child-out-XXXXXX").string();
  std::string errName = (std::filesystem::temp_directory_path() / "korvel-child-err-XXXXXX").string();
  const int outFd = ::mkstemp(outName.data());
  const int errFd = ::mkstemp(errName.data());
  if (outFd >= 0) outPath_ = outName;
  if (errFd >= 0) errPath_ = errName;
  if (outFd < 0 || errFd < 0) {
    if (outFd >= 0) ::close(outFd);
    if (errFd >= 0) ::close(errFd);
    return false;
  }

  // Everything the child needs is built before fork: only async-signal-safe
  // calls may follow it.
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  pid_ = ::fork();
  if (pid_ == 0) {
    const int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, STDIN_FILENO);
    ::dup2(outFd, STDOUT_FILENO);
    ::dup2(errFd, STDERR_FILENO);
    // Its own process group: a Ctrl+C meant for the test runner is not its.
    ::setpgid(0, 0);
    ::execve(args[0], args.data(), envp.data());
    ::_exit(127);
  }
  ::close(outFd);
  ::close(errFd);
  return pid_ > 0;
}

bool ChildProcess::WaitFor(const std::function<bool()>& done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

bool ChildProcess::FirstLine(std::string* line, int timeoutMs) {
  bool ended = false;
  const bool found = WaitFor(
      [&] {
        const std::string out = Stdout();
        if (const auto nl = out.find('\n'); nl != std::string::npos) {
          *line = out.substr(0, nl);
          return true;
        }
        int status = 0;
        ended = pid_ <= 0 || ::waitpid(pid_, &status, WNOHANG) == pid_;
        if (ended) pid_ = -1;
        return ended;
      },
      timeoutMs);
  return found && !ended;
}

void ChildProcess::Signal(int signal) {
  if (pid_ > 0) ::kill(pid_, signal);
}

int ChildProcess::Wait(int timeoutMs) {
  if (pid_ <= 0) return -1;
  int status = 0;
  const bool exited = WaitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, timeoutMs);
  if (!exited) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status, 0);
  }
  pid_ = -1;
  if (!exited) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

std::string ChildProcess::Stdout() const { return ReadFile(outPath_); }
std::string ChildProcess::Stderr() const { return ReadFile(errPath_); }

ChildRun RunChild(const std::vector<std::string>& argv, int timeoutMs, const std::vector<std::string>& extraEnv) {
  ChildProcess child;
  ChildRun run;
  if (!child.Spawn(argv, extraEnv)) return run;
  run.status = child.Wait(timeoutMs);
  run.out = child.Stdout();
  run.err = child.Stderr();
  return run;
}

}  // namespace korvel::test
