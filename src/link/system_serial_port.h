#pragma once
// The serial port of the system the program runs on: a terminal device on
// Linux, a communications device on Windows.

#include <memory>

#include "link/serial_port.h"

namespace korvel {

// A PortFactory making this system's port on the system clock; a raised
// cancel cuts the port's waits short.
std::unique_ptr<SerialPort> MakeSystemSerialPort(const CancelToken& cancel);

}  // namespace korvel
