#pragma once
// Holds a serial device exactly the way the program does, by opening it
// with the program's own port class, so a test can show a port occupied by
// another program.

#include <string>

#include "link/cancel_token.h"
#include "link/posix_serial_port.h"

namespace korvel::radiosim {

class PortHolder {
 public:
  // Fails when the device is missing, not a terminal or already held.
  bool Hold(const std::string& device, std::string* error);
  void Release() { port_.Close(); }

 private:
  CancelToken never_;  // nothing is read through the held port
  PosixSerialPort port_{never_};
};

}  // namespace korvel::radiosim
