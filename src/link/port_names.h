#pragma once
// Serial port names as the user picks them ("COM1" to "COM4") and the
// devices they stand for on this system.

#include <string>

namespace korvel {

// The device a port name opens. "COM1".."COM4" (exact, case-sensitive) map to
// the environment variable KORVEL_COM1..KORVEL_COM4 when it is set and not
// empty, else to /dev/ttyUSB0..3 when that device exists, else to
// /dev/ttyS0..3. Any other name is taken as a device path as it stands.
// On Windows "COM<n>" is Windows' own port, opened as \\.\COM<n> (so COM10
// and above work too); any other name as it stands.
std::string ResolvePortDevice(const std::string& name);

}  // namespace korvel
