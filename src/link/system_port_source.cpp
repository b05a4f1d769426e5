// The ports as this system describes them: libserialport's list (native
// ports with no hardware behind them left out), and the stable names of
// /dev/serial/by-id, whose links udev makes for USB ports from the maker,
// the product and the serial number, so a cable keeps its name when it is
// plugged in again.

#include <libserialport.h>

#include <filesystem>
#include <system_error>

#include "link/serial_port_list.h"

namespace korvel {

namespace {

constexpr const char* kStableNameFolder = "/dev/serial/by-id";

std::string TextOf(const char* text) { return text != nullptr ? text : ""; }

PortTransport TransportOf(sp_transport transport) {
  switch (transport) {
    case SP_TRANSPORT_NATIVE: return PortTransport::Native;
    case SP_TRANSPORT_USB: return PortTransport::Usb;
    case SP_TRANSPORT_BLUETOOTH: return PortTransport::Bluetooth;
  }
  return PortTransport::Other;
}

PortDescription Describe(const sp_port* port) {
  PortDescription d;
  d.device = TextOf(sp_get_port_name(port));
  d.description = TextOf(sp_get_port_description(port));
  d.transport = TransportOf(sp_get_port_transport(port));
  if (d.transport != PortTransport::Usb) return d;
  int vendor = 0, product = 0;
  if (sp_get_port_usb_vid_pid(port, &vendor, &product) == SP_OK) {
    d.usbVendor = vendor;
    d.usbProduct = product;
  }
  d.manufacturer = TextOf(sp_get_port_usb_manufacturer(port));
  d.product = TextOf(sp_get_port_usb_product(port));
  d.serialNumber = TextOf(sp_get_port_usb_serial(port));
  return d;
}

class SystemPortSource final : public PortSource {
 public:
  std::vector<PortDescription> Ports() override {
    std::vector<PortDescription> ports;
    sp_port** list = nullptr;
    // No list (no /sys, no memory) is no port found.
    if (sp_list_ports(&list) != SP_OK) return ports;
    for (sp_port** port = list; *port != nullptr; ++port) ports.push_back(Describe(*port));
    sp_free_port_list(list);
    return ports;
  }

  std::string StableName(const std::string& device) override {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    if (error) return {};
    // Every failure below (no folder, a link gone meanwhile) is no stable name.
    for (fs::directory_iterator entry(kStableNameFolder, error), end; !error && entry != end;
         entry.increment(error)) {
      std::error_code resolved;
      if (fs::canonical(entry->path(), resolved) == target && !resolved) return entry->path().string();
    }
    return {};
  }
};

}  // namespace

std::unique_ptr<PortSource> MakeSystemPortSource() { return std::make_unique<SystemPortSource>(); }

}  // namespace korvel
