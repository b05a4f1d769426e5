#include "app/serial_device_names.h"
#include "link/serial_port_list.h"

namespace korvel {

const char* OtherPortLabel() { return "Serial &port (a name such as COM5, or a device path):"; }

// The COM names of the ports Windows' device list has, as the Port menu and
// `korvel-cli ports` list them.
std::vector<std::string> SerialDeviceNames() {
  const std::unique_ptr<PortSource> source = MakeSystemPortSource();
  std::vector<std::string> names;
  for (const ListedPort& port : ListSerialPorts(*source)) names.push_back(port.name);
  return names;
}

}  // namespace korvel
