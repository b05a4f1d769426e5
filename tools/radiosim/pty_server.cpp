#include "pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace korvel::radiosim {

namespace {

std::string Errno(const std::string& what) { return what + ": " + std::strerror(errno); }

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

PtyServer::PtyServer(RadioProtocol& protocol, ServerOptions options)
    : protocol_(protocol), options_(std::move(options)) {}

PtyServer::~PtyServer() {
  if (linkMade_) {
    // Only our own link: another server may have taken the name since.
    char target[PATH_MAX];
    const ssize_t n = ::readlink(options_.linkPath.c_str(), target, sizeof target - 1);
    if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == devicePath_)
      ::unlink(options_.linkPath.c_str());
  }
  CloseFd(heldSlave_);
  CloseFd(master_);
  CloseFd(stopPipe_[0]);
  CloseFd(stopPipe_[1]);
}

bool PtyServer::Open(std::string* error) {
  auto fail = [&](const std::string& what) {
    if (error) *error = Errno(what);
    return false;
  };
  if (::pipe2(stopPipe_, O_NONBLOCK | O_CLOEXEC) != 0) return fail("pipe");
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) return fail("posix_openpt");
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  if (::grantpt(master_) != 0) return fail("grantpt");
  if (::unlockpt(master_) != 0) return fail("unlockpt");
  char name[PATH_MAX];
  if (::ptsname_r(master_, name, sizeof name) != 0) return fail("ptsname");
  devicePath_ = name;

  heldSlave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (heldSlave_ < 0) return fail(devicePath_);
  // Raw line: no echo, no line editing, no translation of CR, NL or
  // control characters, so every byte crosses unchanged.
  termios tio{};
  if (::tcgetattr(heldSlave_, &tio) != 0) return fail("tcgetattr");
  ::cfmakeraw(&tio);
  ::cfsetispeed(&tio, B9600);
  ::cfsetospeed(&tio, B9600);
  tio.c_cflag |= CLOCAL | CREAD;
  if (::tcsetattr(heldSlave_, TCSANOW, &tio) != 0) return fail("tcsetattr");

  if (!options_.linkPath.empty()) {
    struct stat st{};
    if (::lstat(options_.linkPath.c_str(), &st) == 0) {
      if (!S_ISLNK(st.st_mode)) {
        if (error) *error = options_.linkPath + ": exists and is not a symbolic link";
        return false;
      }
      ::unlink(options_.linkPath.c_str());
    }
    if (::symlink(devicePath_.c_str(), options_.linkPath.c_str()) != 0) return fail(options_.linkPath);
    linkMade_ = true;
  }
  return true;
}

void PtyServer::RequestStop() {
  stop_.store(true);
  const char byte = 1;
  // write() is async-signal-safe; a full pipe already wakes the loop.
  [[maybe_unused]] const ssize_t n = ::write(stopPipe_[1], &byte, 1);
}

void PtyServer::ReadMaster(TimePoint now) {
  std::uint8_t buffer[256];
  for (;;) {
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) return;
    if (options_.log) options_.log->Record(Sender::kPc, buffer, static_cast<std::size_t>(n), now);
    for (ssize_t i = 0; i < n; ++i) {
      TimePoint arrives = now;
      if (options_.paced) {
        inboundFree_ = std::max(inboundFree_, now) + kCharacterTime;
        arrives = inboundFree_;
      }
      inbound_.emplace_back(arrives, buffer[i]);
    }
  }
}

void PtyServer::Deliver(TimePoint now) {
  std::vector<std::uint8_t> reply;
  while (!inbound_.empty() && inbound_.front().first <= now) {
    const std::uint8_t byte = inbound_.front().second;
    inbound_.pop_front();
    lastDelivery_ = now;
    reply.clear();
    const std::size_t tests = protocol_.TestCommands().size();
    protocol_.Feed(byte, reply);
    if (options_.log && protocol_.TestCommands().size() > tests)
      options_.log->RecordTestCommand(protocol_.TestCommands().back(), now);
    if (reply.empty()) continue;
    const TimePoint start = options_.paced ? std::max(outboundFree_, now) : now;
    if (options_.log) options_.log->Record(Sender::kRadio, reply.data(), reply.size(), start);
    // The line is free again when the last byte has crossed it; the adapter
    // passes each byte on only after its latency on top of that.
    const std::chrono::milliseconds latency(protocol_.Faults().replyLatencyMs);
    for (std::uint8_t b : reply) {
      TimePoint arrives = now;
      if (options_.paced) {
        outboundFree_ = std::max(outboundFree_, now) + kCharacterTime;
        arrives = outboundFree_;
      }
      outbound_.emplace_back(arrives + latency, b);
    }
  }
  if (protocol_.MidFrame() && inbound_.empty() && now - lastDelivery_ >= kQuietTime)
    protocol_.LineQuiet();
}

bool PtyServer::WriteDue(TimePoint now, bool* blocked) {
  *blocked = false;
  std::vector<std::uint8_t> due;
  for (const auto& [when, byte] : outbound_) {
    if (when > now) break;
    due.push_back(byte);
  }
  if (due.empty()) return true;
  const ssize_t n = ::write(master_, due.data(), due.size());
  if (n < 0) {
    if (errno == EAGAIN || errno == EINTR) {
      *blocked = true;
      return true;
    }
    return false;
  }
  outbound_.erase(outbound_.begin(), outbound_.begin() + n);
  if (static_cast<std::size_t>(n) < due.size()) *blocked = true;
  return true;
}

void PtyServer::ReleaseAbandonedPort() {
  int exclusive = 0;
  if (::ioctl(heldSlave_, TIOCGEXCL, &exclusive) != 0 || exclusive == 0) return;
  // A client holds its lock for as long as it has the port open; when the
  // lock can be had, the client is gone (killed before it could clear the
  // exclusive mode), and the port is free again.
  if (::flock(heldSlave_, LOCK_EX | LOCK_NB) != 0) return;
  ::ioctl(heldSlave_, TIOCNXCL);
  ::flock(heldSlave_, LOCK_UN);
}

bool PtyServer::Run(std::string* error) {
  using std::chrono::steady_clock;
  if (options_.realtime) {
    // Best effort: without the privilege the server runs as it is.
    sched_param param{};
    param.sched_priority = 1;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
  }
  lastDelivery_ = steady_clock::now();
  while (!stop_.load()) {
    TimePoint now = steady_clock::now();
    Deliver(now);
    if (protocol_.HungUp()) {
      // The pulled cable: the client's side sees the line hang up.
      CloseFd(heldSlave_);
      CloseFd(master_);
      if (error) *error = "the line was hung up (--hang-up-at)";
      return false;
    }
    if (now >= nextLockCheck_) {
      ReleaseAbandonedPort();
      nextLockCheck_ = now + kLockCheckInterval;
    }
    bool blocked = false;
    if (!WriteDue(now, &blocked)) {
      if (error) *error = Errno("write to the pseudo-terminal");
      return false;
    }

    std::optional<TimePoint> deadline;
    auto earliest = [&](TimePoint t) { deadline = deadline ? std::min(*deadline, t) : t; };
    if (!outbound_.empty() && !blocked) earliest(outbound_.front().first);
    if (!inbound_.empty()) earliest(inbound_.front().first);
    if (protocol_.MidFrame()) earliest(lastDelivery_ + kQuietTime);
    earliest(nextLockCheck_);

    pollfd fds[2] = {{master_, static_cast<short>(POLLIN | (blocked ? POLLOUT : 0)), 0},
                     {stopPipe_[0], POLLIN, 0}};
    timespec timeout{};
    timespec* timeoutPtr = nullptr;
    if (deadline) {
      const auto wait = std::max(std::chrono::nanoseconds(0), *deadline - now);
      timeout.tv_sec = static_cast<time_t>(wait.count() / 1'000'000'000);
      timeout.tv_nsec = static_cast<long>(wait.count() % 1'000'000'000);
      timeoutPtr = &timeout;
    }
    const int rc = ::ppoll(fds, 2, timeoutPtr, nullptr);
    if (rc < 0) {
      if (errno == EINTR) continue;
      if (error) *error = Errno("poll");
      return false;
    }
    if (fds[1].revents & POLLIN) break;
    if (fds[0].revents & POLLIN) {
      ReadMaster(steady_clock::now());
    } else if (fds[0].revents & (POLLHUP | POLLERR)) {
      // No slave side open (cannot happen while heldSlave_ is open); avoid
      // spinning on the hang-up until one is.
      ::usleep(10'000);
    }
  }
  return true;
}

}  // namespace korvel::radiosim
