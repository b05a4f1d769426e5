#include "link/port_names.h"

#include <algorithm>

namespace korvel {

// Windows names its own serial ports: "COM1" to "COM9" open as they stand,
// "COM10" and above only through the device namespace, which serves every
// one of them; so a COM name opens there. Any other name as it stands.
std::string ResolvePortDevice(const std::string& name) {
  const bool comName = name.size() > 3 && name.compare(0, 3, "COM") == 0 &&
                       std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
  return comName ? "\\\\.\\" + name : name;
}

}  // namespace korvel
