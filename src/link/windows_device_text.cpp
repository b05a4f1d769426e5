#include "link/windows_device_text.h"

#include <cctype>

namespace korvel::windows {

namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The four hex digits after key in text (upper case), or -1.
int HexAfter(const std::string& text, const char* key) {
  const std::size_t at = text.find(key);
  if (at == std::string::npos) return -1;
  const std::size_t start = at + std::char_traits<char>::length(key);
  if (text.size() < start + 4) return -1;
  int value = 0;
  for (std::size_t i = start; i < start + 4; ++i) {
    const char c = text[i];
    if (!std::isxdigit(static_cast<unsigned char>(c))) return -1;
    value = value * 16 + (c <= '9' ? c - '0' : c - 'A' + 10);
  }
  return value;
}

}  // namespace

std::optional<UsbIds> UsbIdsOf(const std::string& deviceId) {
  const std::string id = Upper(deviceId);
  const int vendor = HexAfter(id, "VID_"), product = HexAfter(id, "PID_");
  if (vendor < 0 || product < 0) return std::nullopt;
  return UsbIds{vendor, product};
}

std::string UsbSerialOf(const std::string& instanceId) {
  if (Upper(instanceId.substr(0, 4)) != "USB\\") return {};
  const std::size_t last = instanceId.rfind('\\');
  if (last == 3) return {};
  const std::string serial = instanceId.substr(last + 1);
  return serial.find('&') == std::string::npos ? serial : std::string();
}

PortTransport TransportOf(const std::string& enumerator, const std::string& hardwareId) {
  const std::string bus = Upper(enumerator);
  if (bus == "BTHENUM") return PortTransport::Bluetooth;
  if (bus == "USB" || UsbIdsOf(hardwareId)) return PortTransport::Usb;
  if (bus == "ACPI") return PortTransport::Native;
  return PortTransport::Other;
}

std::string DescriptionOf(const std::string& friendlyName, const std::string& portName) {
  const std::string suffix = " (" + portName + ")";
  if (friendlyName.size() > suffix.size() &&
      friendlyName.compare(friendlyName.size() - suffix.size(), suffix.size(), suffix) == 0)
    return friendlyName.substr(0, friendlyName.size() - suffix.size());
  return friendlyName;
}

}  // namespace korvel::windows
