#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/serial.h>
#endif

#include <algorithm>
#include <cerrno>

#include "link/cancel_token.h"
#include "link/port_names.h"
#include "link/port_problem.h"

namespace korvel {

namespace {

using Millis = std::chrono::milliseconds;

speed_t SpeedOf(int baudRate) {
  switch (baudRate) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B9600;
  }
}

tcflag_t SizeOf(int dataBits) {
  switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
  }
}

// Milliseconds left until deadline, rounded up so poll never wakes early
// and spins; 0 when it has passed.
int MillisUntil(Clock::TimePoint deadline, Clock::TimePoint now) {
  if (now >= deadline) return 0;
  const auto left = std::chrono::ceil<Millis>(deadline - now).count();
  return static_cast<int>(std::min<long long>(left, 1 << 30));
}

// Many USB adapters hold received bytes up to a latency timer (often 16 ms)
// before passing them on; the clone transfer's ping-pong of short frames
// would pay it on every reply. A driver without the setting (a
// pseudo-terminal, a native port) refuses, which changes nothing.
void RequestLowLatency(int fd) {
#if defined(__linux__) && defined(TIOCGSERIAL) && defined(ASYNC_LOW_LATENCY)
  serial_struct serial {};
  if (::ioctl(fd, TIOCGSERIAL, &serial) != 0 || (serial.flags & ASYNC_LOW_LATENCY) != 0) return;
  serial.flags |= ASYNC_LOW_LATENCY;
  ::ioctl(fd, TIOCSSERIAL, &serial);
#else
  (void)fd;
#endif
}

}  // namespace

PosixSerialPort::PosixSerialPort(const CancelToken& cancel, Clock& clock) : cancel_(cancel), clock_(clock) {}

std::unique_ptr<SerialPort> MakeSystemSerialPort(const CancelToken& cancel) {
  return std::make_unique<PosixSerialPort>(cancel);
}

PosixSerialPort::~PosixSerialPort() { Close(); }

void PosixSerialPort::Fail(const char* what) { Fail(what, errno); }

void PosixSerialPort::Fail(const char* what, int error) { lastError_ = PortFailureDetail(devicePath_, what, error); }

bool PosixSerialPort::Open(const std::string& name, const PortConfig& config) {
  Close();
  lastError_.clear();
  devicePath_ = ResolvePortDevice(name);
  const int fd = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    Fail("open");
    return false;
  }
  // TIOCEXCL alone does not keep out a process with CAP_SYS_ADMIN, and a
  // second open by the same process; the lock does.
  // The descriptor is closed before the failure is told, so that the search
  // for the device's holder does not find this one.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    Fail("flock", error);
    return false;
  }
  if (::ioctl(fd, TIOCEXCL) != 0) {
    const int error = errno;
    ::close(fd);
    Fail("TIOCEXCL", error);
    return false;
  }
  fd_ = fd;
  timeouts_ = config.timeouts;
  RequestLowLatency(fd_);
  ConfigureLine(config);
  return true;
}

void PosixSerialPort::ConfigureLine(const PortConfig& line) {
  termios tio {};
  if (::tcgetattr(fd_, &tio) != 0) {
    Fail("tcgetattr");
    return;
  }
  tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF | IXANY | INPCK);
  if (line.parity) tio.c_iflag |= INPCK;
  tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
  tio.c_cflag |= SizeOf(line.dataBits) | CLOCAL | CREAD;
  if (line.parity) tio.c_cflag |= PARENB;
  if (line.stopBits == 2) tio.c_cflag |= CSTOPB;
  // Reads are non-blocking and timed by poll; these only keep read() from
  // waiting on its own.
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::cfsetispeed(&tio, SpeedOf(line.baudRate));
  ::cfsetospeed(&tio, SpeedOf(line.baudRate));
  if (::tcsetattr(fd_, TCSANOW, &tio) != 0) Fail("tcsetattr");
}

void PosixSerialPort::DiscardInput() {
  // Input only: write() returns once the bytes are queued, not sent, so the
  // output queue still holds the command just written (on a pseudo-terminal,
  // the bytes the other side has not read yet). A synchronous serial write
  // has emptied it by the time it returns, which is what callers expect.
  if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}

bool PosixSerialPort::Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) {
  std::size_t got = 0;
  *received = 0;
  if (fd_ < 0) {
    errno = EBADF;
    Fail("read");
    return false;
  }
  const Clock::TimePoint start = clock_.Now();
  const Clock::TimePoint totalDeadline =
      start + Millis(static_cast<long long>(n) * timeouts_.readTotalPerByteMs + timeouts_.readTotalConstantMs);
  Clock::TimePoint lastByte = start;
  while (got < n) {
    const Clock::TimePoint now = clock_.Now();
    Clock::TimePoint deadline = totalDeadline;
    if (got > 0) deadline = std::min(deadline, lastByte + Millis(timeouts_.readIntervalMs));
    const int waitMs = MillisUntil(deadline, now);
    if (cancel_.IsRaised()) break;
    pollfd fds[2] = {{fd_, POLLIN, 0}, {static_cast<int>(cancel_.WaitHandle()), POLLIN, 0}};
    pollfd& pfd = fds[0];
    const int ready = ::poll(fds, 2, waitMs);
    if (ready < 0) {
      if (errno == EINTR) continue;
      Fail("poll");
      *received = got;
      return false;
    }
    if (fds[1].revents & POLLIN) break;  // cancelled: the bytes so far
    if (ready == 0) {
      // poll waited its full time: the deadline is reached (or so nearly
      // that the next round returns at once).
      if (clock_.Now() >= deadline || waitMs == 0) break;
      continue;
    }
    if (pfd.revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) {
      const ssize_t r = ::read(fd_, buffer + got, n - got);
      if (r > 0) {
        got += static_cast<std::size_t>(r);
        lastByte = clock_.Now();
        continue;
      }
      if (r == 0) {
        // End of file on a terminal: the other side has gone.
        errno = EIO;
        Fail("read (hang-up)");
        *received = got;
        return false;
      }
      if (errno == EINTR) continue;
      if ((errno == EAGAIN || errno == EWOULDBLOCK) && !(pfd.revents & (POLLHUP | POLLERR | POLLNVAL))) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) errno = EIO;
      Fail("read");
      *received = got;
      return false;
    }
  }
  *received = got;
  return true;
}

bool PosixSerialPort::Write(const std::uint8_t* data, std::size_t n) {
  if (fd_ < 0) {
    errno = EBADF;
    Fail("write");
    return false;
  }
  const Clock::TimePoint deadline =
      clock_.Now() +
      Millis(static_cast<long long>(n) * timeouts_.writeTotalPerByteMs + timeouts_.writeTotalConstantMs);
  std::size_t sent = 0;
  while (sent < n) {
    const ssize_t w = ::write(fd_, data + sent, n - sent);
    if (w > 0) {
      sent += static_cast<std::size_t>(w);
      continue;
    }
    if (w < 0 && errno == EINTR) continue;
    if (w < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      Fail("write");
      return false;
    }
    const int waitMs = MillisUntil(deadline, clock_.Now());
    if (waitMs == 0) {
      errno = ETIMEDOUT;
      Fail("write");
      return false;
    }
    pollfd pfd{fd_, POLLOUT, 0};
    const int ready = ::poll(&pfd, 1, waitMs);
    if (ready < 0 && errno != EINTR) {
      Fail("poll");
      return false;
    }
    if (ready > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL))) {
      errno = EIO;
      Fail("write (hang-up)");
      return false;
    }
  }
  return true;
}

void PosixSerialPort::Close() {
  if (fd_ < 0) return;
  // The exclusive flag belongs to the terminal, not to this descriptor, and
  // would otherwise outlive the close; the lock goes with the descriptor.
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace korvel
