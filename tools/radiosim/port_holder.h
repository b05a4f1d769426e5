#pragma once
// Holds a serial device the way the program's own port does (an exclusive
// flock plus TIOCEXCL), so a test can show a port occupied by another program.

#include <string>

namespace korvel::radiosim {

class PortHolder {
 public:
  PortHolder() = default;
  ~PortHolder();
  PortHolder(const PortHolder&) = delete;
  PortHolder& operator=(const PortHolder&) = delete;

  // Fails when the device is missing, not a terminal or already held.
  bool Hold(const std::string& device, std::string* error);
  // Clears the exclusive mode (it would outlive this descriptor on a tty that
  // stays open elsewhere) and closes the device.
  void Release();

 private:
  int fd_ = -1;
};

}  // namespace korvel::radiosim
