#include "port_holder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace korvel::radiosim {

PortHolder::~PortHolder() { Release(); }

bool PortHolder::Hold(const std::string& device, std::string* error) {
  Release();
  auto fail = [&](const char* what) {
    if (error) *error = device + ": " + what + ": " + std::strerror(errno);
    Release();
    return false;
  };
  fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return fail("open");
  if (!::isatty(fd_)) return fail("not a terminal");
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) return fail("flock");
  if (::ioctl(fd_, TIOCEXCL) != 0) return fail("TIOCEXCL");
  return true;
}

void PortHolder::Release() {
  if (fd_ < 0) return;
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace korvel::radiosim
