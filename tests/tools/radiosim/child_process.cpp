#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace korvel::test {

std::string ToolPath(const std::string& relative) {
  const char* dir = std::getenv("KORVEL_TEST_BINARY_DIR");
  if (!dir || !*dir) throw std::runtime_error("KORVEL_TEST_BINARY_DIR is not set");
  return std::string(dir) + "/" + relative;
}

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvel-sim-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
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
  char outName[] = "/tmp/korvel-child-out-XXXXXX";
  char errName[] = "/tmp/korvel-child-err-XXXXXX";
  const int outFd = ::mkstemp(outName);
  const int errFd = ::mkstemp(errName);
  if (outFd < 0 || errFd < 0) return false;
  outPath_ = outName;
  errPath_ = errName;

  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  pid_ = ::fork();
  if (pid_ < 0) return false;
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
  return true;
}

bool ChildProcess::FirstLine(std::string* line, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < end) {
    const std::string out = Stdout();
    if (const auto nl = out.find('\n'); nl != std::string::npos) {
      *line = out.substr(0, nl);
      return true;
    }
    int status = 0;
    if (pid_ > 0 && ::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

void ChildProcess::Signal(int signal) {
  if (pid_ > 0) ::kill(pid_, signal);
}

int ChildProcess::Wait(int timeoutMs) {
  if (pid_ <= 0) return -1;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) break;
    if (std::chrono::steady_clock::now() >= end) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      pid_ = -1;
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  pid_ = -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

std::string ChildProcess::Stdout() const { return ReadFile(outPath_); }
std::string ChildProcess::Stderr() const { return ReadFile(errPath_); }

CliRun RunCli(const std::vector<std::string>& args, int timeoutMs, const std::vector<std::string>& extraEnv) {
  ChildProcess cli;
  std::vector<std::string> argv{ToolPath("tools/cli/korvel-cli")};
  argv.insert(argv.end(), args.begin(), args.end());
  CliRun run;
  if (!cli.Spawn(argv, extraEnv)) return run;
  run.status = cli.Wait(timeoutMs);
  run.out = cli.Stdout();
  run.err = cli.Stderr();
  return run;
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

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

MemoryImage ImageFromFile(const std::string& path) {
  const std::string bytes = ReadFile(path);
  if (bytes.size() != kImageSize) throw std::runtime_error(path + " is not " + std::to_string(kImageSize) + " bytes");
  MemoryImage image;
  std::copy(bytes.begin(), bytes.end(), image.begin());
  return image;
}

void WriteImage(const std::string& path, const MemoryImage& image) {
  WriteFile(path, std::string(image.begin(), image.end()));
}

MemoryImage PatternImage(unsigned seed) {
  MemoryImage image;
  unsigned x = seed * 2654435761u + 1;
  for (std::size_t i = 0; i < image.size(); ++i) {
    x = x * 1103515245u + 12345u;
    // The first 256 bytes run through every value in order.
    image[i] = i < 256 ? static_cast<std::uint8_t>(i) : static_cast<std::uint8_t>(x >> 16);
  }
  return image;
}

bool Exists(const std::string& path) {
  struct stat st{};
  return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace korvel::test
