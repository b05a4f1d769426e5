#include "link/port_names.h"

#include <sys/stat.h>

#include <cstdlib>

namespace korvel {

namespace {

bool DeviceExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string ResolvePortDevice(const std::string& name) {
  if (name.size() != 4 || name.compare(0, 3, "COM") != 0 || name[3] < '1' || name[3] > '4') return name;
  const int index = name[3] - '1';
  const std::string variable = "KORVEL_" + name;
  if (const char* device = std::getenv(variable.c_str()); device != nullptr && *device != '\0') return device;
  const std::string usb = "/dev/ttyUSB" + std::to_string(index);
  if (DeviceExists(usb)) return usb;
  return "/dev/ttyS" + std::to_string(index);
}

}  // namespace korvel
