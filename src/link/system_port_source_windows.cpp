// The ports as Windows describes them: every present device of the Ports
// class and every present COM port interface (a driver may register only
// one of the two), each with the COM name its driver took ("PortName" of
// its device key). Windows' COM names are its own stable names, so there
// is no other.

#include <windows.h>
#include <setupapi.h>

#include <vector>

#include "link/serial_port_list.h"
#include "link/windows_device_text.h"
#include "model/windows_text.h"

namespace korvel {

namespace {

// The Ports device class (GUID_DEVCLASS_PORTS) and the COM port interface
// (GUID_DEVINTERFACE_COMPORT), spelled out: their headers define them only
// in a file that includes <initguid.h> first, which a unity build shares.
constexpr GUID kPortsClass = {0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
constexpr GUID kComPortInterface = {0x86e0d1e0, 0x8089, 0x11d0, {0x9c, 0xe4, 0x08, 0x00, 0x3e, 0x30, 0x1f, 0x73}};

// A text property of the device ("" where it has none); of a list of texts
// (the hardware ids) the first.
std::string Property(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  std::vector<wchar_t> text(256);
  DWORD needed = 0;
  for (int tries = 0; tries < 2; ++tries) {
    if (::SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr, reinterpret_cast<BYTE*>(text.data()),
                                            static_cast<DWORD>(text.size() * sizeof(wchar_t)), &needed)) {
      text.push_back(L'\0');
      return windows::Utf8(text.data());
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
    text.resize(needed / sizeof(wchar_t) + 1);
  }
  return {};
}

std::string InstanceId(HDEVINFO set, SP_DEVINFO_DATA& device) {
  wchar_t id[512] = {};
  if (!::SetupDiGetDeviceInstanceIdW(set, &device, id, static_cast<DWORD>(std::size(id) - 1), nullptr)) return {};
  return windows::Utf8(id);
}

// "COM3", from the device's own registry key; "" for a port with none (a
// printer port of the Ports class has "LPT1" and is left out by the caller).
std::string PortName(HDEVINFO set, SP_DEVINFO_DATA& device) {
  const HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (key == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE)) return {};
  wchar_t name[64] = {};
  DWORD size = sizeof name - sizeof(wchar_t);
  DWORD type = 0;
  const LSTATUS read =
      ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
  ::RegCloseKey(key);
  return read == ERROR_SUCCESS && type == REG_SZ ? windows::Utf8(name) : std::string();
}

PortDescription Describe(HDEVINFO set, SP_DEVINFO_DATA& device, const std::string& portName) {
  PortDescription d;
  d.device = portName;
  d.description = windows::DescriptionOf(Property(set, device, SPDRP_FRIENDLYNAME), portName);
  if (d.description.empty()) d.description = Property(set, device, SPDRP_DEVICEDESC);
  const std::string hardwareId = Property(set, device, SPDRP_HARDWAREID);
  d.transport = windows::TransportOf(Property(set, device, SPDRP_ENUMERATOR_NAME), hardwareId);
  if (d.transport != PortTransport::Usb) return d;
  if (const auto ids = windows::UsbIdsOf(hardwareId)) {
    d.usbVendor = ids->vendor;
    d.usbProduct = ids->product;
  }
  d.manufacturer = Property(set, device, SPDRP_MFG);
  d.serialNumber = windows::UsbSerialOf(InstanceId(set, device));
  return d;
}

// The present devices of one class or interface that have a COM name.
void AddPorts(const GUID& guid, DWORD flags, std::vector<PortDescription>& ports) {
  const HDEVINFO set = ::SetupDiGetClassDevsW(&guid, nullptr, nullptr, flags | DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    const std::string name = PortName(set, device);
    if (name.compare(0, 3, "COM") == 0) ports.push_back(Describe(set, device, name));
  }
  ::SetupDiDestroyDeviceInfoList(set);
}

class SystemPortSource final : public PortSource {
 public:
  // A port found both ways is listed twice here; ListSerialPorts keeps one.
  std::vector<PortDescription> Ports() override {
    std::vector<PortDescription> ports;
    AddPorts(kPortsClass, 0, ports);
    AddPorts(kComPortInterface, DIGCF_DEVICEINTERFACE, ports);
    return ports;
  }

  std::string StableName(const std::string&) override { return {}; }
};

}  // namespace

std::unique_ptr<PortSource> MakeSystemPortSource() { return std::make_unique<SystemPortSource>(); }

}  // namespace korvel
