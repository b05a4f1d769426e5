#pragma once
// What Port > Other Port... offers, from the system's own places: the
// example its label gives and the serial devices present now, which it
// completes. One file per system: serial_device_names_posix.cpp (the
// /dev/serial/by-id/ links, /dev/tty* and /dev/pts/*) and
// serial_device_names_windows.cpp (the COM names Windows has for the ports
// present).

#include <string>
#include <vector>

namespace korvel {

// The Other Port dialog's label, with its access key.
const char* OtherPortLabel();
// The names present now, in no order.
std::vector<std::string> SerialDeviceNames();

}  // namespace korvel
