#pragma once
// The serial ports present on this machine, as the user picks them: each
// with the device it opens, what the system says it is (transport, USB ids,
// maker and product), the stable /dev/serial/by-id/ name of a USB port
// where one exists, and which of COM1 to COM4 reach it. The system is
// asked through a PortSource (libserialport on Linux, SetupAPI's device
// list on Windows, a fixed table in the tests).

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvel {

enum class PortTransport { Native, Usb, Bluetooth, Other };

// What the system says of one port.
struct PortDescription {
  std::string device;       // the kernel's device, e.g. /dev/ttyUSB0; on Windows the COM name
  std::string description;  // e.g. "Prolific USB-Serial Controller"
  PortTransport transport = PortTransport::Other;
  std::optional<int> usbVendor, usbProduct;  // USB only
  std::string manufacturer, product, serialNumber;  // USB only, where told
};

// Where the ports come from.
class PortSource {
 public:
  virtual ~PortSource() = default;
  virtual std::vector<PortDescription> Ports() = 0;
  // The /dev/serial/by-id/ link naming device, "" where there is none.
  virtual std::string StableName(const std::string& device) = 0;
};

// libserialport's list of the ports with hardware behind them, and the
// links of /dev/serial/by-id; on Windows the present COM ports of the
// device list, whose COM names are their stable names (StableName "").
std::unique_ptr<PortSource> MakeSystemPortSource();

struct ListedPort {
  std::string name;    // what the user picks and --port takes: the stable name, else the device
  PortDescription port;
  std::vector<std::string> reachedBy;  // "COM1".."COM4" that resolve to this device
};

// Every port the source lists and every device a KORVEL_COMn variable
// names where COMn follows it (not on Windows; a device the source does
// not know is listed as it stands), each once, in a stable order: USB
// first, then Bluetooth, then native, each by device name with numbers in
// numeric order (ttyUSB2 before ttyUSB10).
std::vector<ListedPort> ListSerialPorts(PortSource& source);

// What the Port menu and `korvel-cli ports` say when the list is empty.
inline constexpr const char* kNoPortFound = "No serial port found — plug in the cable";

// The Port menu's text: "/dev/ttyUSB0 — Prolific USB-Serial Controller (067b:2303)"
// (the description and the ids where the system tells them).
std::string PortMenuText(const ListedPort& port);
// One line of `korvel-cli ports`, tab-separated: name, device, transport
// (usb, bluetooth, native, other), description, USB ids and the COM names
// reaching the port ("COM1,COM3"), "-" for what is not known; control
// characters become spaces, so a port is always one line.
std::string PortLine(const ListedPort& port);
// Its JSON object: name, device, transport, description, vendor_id and
// product_id (four hex digits), manufacturer, product, serial_number (null
// where not known) and reached_by (an array of COM names).
std::string PortJson(const ListedPort& port);

}  // namespace korvel
