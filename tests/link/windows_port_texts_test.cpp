// The ports on Windows as texts: what the device list says of a port, the
// list the COM names reach (from a fixed table), and what a failed open means.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "fixed_port_source.h"
#include "link/port_problem.h"
#include "link/windows_device_text.h"
#include "model/windows_text.h"
#include "scoped_env.h"

namespace korvel {
namespace {

TEST(WindowsDeviceText, IdsSerialAndTransport) {
  const struct {
    const char *enumerator, *hardwareId, *instanceId;
    PortTransport transport;
    int vendor, product;  // -1: none
    const char* serial;
  } cases[] = {
      {"USB", "USB\\VID_067B&PID_2303&REV_0300", "USB\\VID_067B&PID_2303\\5&1A2B3C&0&2", PortTransport::Usb, 0x067b,
       0x2303, ""},
      {"USB", "usb\\vid_0403&pid_6001", "USB\\VID_0403&PID_6001\\A10K", PortTransport::Usb, 0x0403, 0x6001, "A10K"},
      {"FTDIBUS", "FTDIBUS\\COMPORT&VID_0403&PID_6001", "FTDIBUS\\VID_0403+PID_6001+A10KA\\0000", PortTransport::Usb,
       0x0403, 0x6001, ""},
      {"BTHENUM", "BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}", "BTHENUM\\X\\7&1", PortTransport::Bluetooth, -1,
       -1, ""},
      {"ACPI", "ACPI\\PNP0501", "ACPI\\PNP0501\\1", PortTransport::Native, -1, -1, ""},
      {"ROOT", "ROOT\\VID_12G4&PID_0001", "USB\\VID_12G4", PortTransport::Other, -1, -1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hardwareId);
    EXPECT_EQ(windows::TransportOf(c.enumerator, c.hardwareId), c.transport);
    const auto ids = windows::UsbIdsOf(c.hardwareId);
    EXPECT_EQ(ids ? std::make_pair(ids->vendor, ids->product) : std::make_pair(-1, -1),
              std::make_pair(c.vendor, c.product));
    EXPECT_EQ(windows::UsbSerialOf(c.instanceId), c.serial);
  }
}

// The friendly name loses Windows' " (COM3)"; COM1 to COM4 reach the ports
// of those names, and the KORVEL_COMn variables, which Windows' own COM
// names do not follow, add nothing.
TEST(WindowsPortList, ComNamesReachTheirOwnPorts) {
  const test::ScopedEnv com1("KORVEL_COM1", "COM7");
  test::FixedPortSource source(
      {{"COM10", windows::DescriptionOf("USB Serial Port (COM1)", "COM10"), PortTransport::Usb, 0x0403, 0x6001, {}, {}, {}},
       {"COM3", windows::DescriptionOf("Prolific USB-to-Serial Comm Port (COM3)", "COM3"), PortTransport::Usb, 0x067b,
        0x2303, {}, {}, {}},
       {"COM1", "Communications Port", PortTransport::Native, {}, {}, {}, {}, {}}});
  const std::vector<ListedPort> listed = ListSerialPorts(source);
  ASSERT_EQ(listed.size(), 3u);
  EXPECT_EQ(PortLine(listed[0]), "COM3\tCOM3\tusb\tProlific USB-to-Serial Comm Port\t067b:2303\tCOM3");
  EXPECT_EQ(PortLine(listed[1]), "COM10\tCOM10\tusb\tUSB Serial Port (COM1)\t0403:6001\t-");
  EXPECT_EQ(PortLine(listed[2]), "COM1\tCOM1\tnative\tCommunications Port\t-\tCOM1");
}

TEST(WindowsPortFailure, OpenRefusalsSayWhy) {
  const struct {
    const char* call;
    DWORD error;
    const char* meaning;  // after the system's reason; "" for none
  } cases[] = {
      {"CreateFileA", ERROR_ACCESS_DENIED, " — the port is in use by another program"},
      {"CreateFileA", ERROR_SHARING_VIOLATION, " — the port is in use by another program"},
      {"CreateFileA", ERROR_BUSY, " — the port is in use by another program"},
      {"CreateFileA", ERROR_PATH_NOT_FOUND, " — no such port on this computer"},
      {"ReadFile", ERROR_ACCESS_DENIED, ""},
  };
  for (const auto& c : cases) {
    const std::string detail = PortFailureDetail("\\\\.\\COM3", c.call, static_cast<int>(c.error));
    const std::string head = std::string("\\\\.\\COM3: ") + c.call + ": " + windows::ErrorText(c.error);
    EXPECT_EQ(detail.substr(0, head.size()), head);
    EXPECT_EQ(detail.find(" — ") == std::string::npos ? "" : detail.substr(head.size(), std::strlen(c.meaning)),
              c.meaning);
  }
}

}  // namespace
}  // namespace korvel
