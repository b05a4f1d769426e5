#pragma once
// What the texts of Windows' device list say of a serial port: the USB ids
// in a hardware id, the serial number in an instance id, the transport from
// the enumerator, and the friendly name without the port name Windows
// appends. Plain text work, apart from the calls that fetch the texts.

#include <optional>
#include <string>

#include "link/serial_port_list.h"

namespace korvel::windows {

struct UsbIds {
  int vendor = 0;
  int product = 0;
};

// The "VID_xxxx" and "PID_xxxx" of a hardware or instance id, in any case,
// whatever separates them: "USB\VID_067B&PID_2303&REV_0300",
// "FTDIBUS\COMPORT&VID_0403&PID_6001"; none without both.
std::optional<UsbIds> UsbIdsOf(const std::string& deviceId);

// The serial number of a USB device's instance id,
// "USB\VID_0403&PID_6001\A10K" → "A10K"; "" when the device has none
// (Windows then makes up an id with '&' in it: "5&1a2b3c&0&2").
std::string UsbSerialOf(const std::string& instanceId);

// From the enumerator that found the device (SPDRP_ENUMERATOR_NAME) and its
// hardware id: Bluetooth for BTHENUM, USB for a USB enumerator or USB ids,
// native for the board's own ports (ACPI), other for the rest.
PortTransport TransportOf(const std::string& enumerator, const std::string& hardwareId);

// The friendly name without the " (COM3)" Windows puts after it, which the
// port list shows as the device already.
std::string DescriptionOf(const std::string& friendlyName, const std::string& portName);

}  // namespace korvel::windows
