// The serial port list from a fixed set of port descriptions: what the Port
// menu and `korvel-cli ports` show of each port, in which order, under
// which name, and which COM names reach it.

#include "link/serial_port_list.h"

#include <gtest/gtest.h>

#include "fixed_port_source.h"
#include "scoped_env.h"

namespace korvel {
namespace {

const std::string kProlificId = "/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0";
const std::string kFtdiId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K-if00-port0";

PortDescription Usb(const char* device, const char* description, int vendor, int product) {
  PortDescription port{device, description, PortTransport::Usb, vendor, product, {}, {}, {}};
  return port;
}

TEST(SerialPortList, PortsInOrderWithTheirNamesTextsAndComNames) {
  // COM1 names a stable name, COM2 a device the system does not list, COM3
  // and COM4 the same native port; none is left to the system's devices.
  const test::ScopedEnv com1("KORVEL_COM1", kProlificId), com2("KORVEL_COM2", "/tmp/radio"),
      com3("KORVEL_COM3", "/dev/ttyS0"), com4("KORVEL_COM4", "/dev/ttyS0");
  PortDescription prolific = Usb("/dev/ttyUSB2", "Prolific USB-Serial Controller", 0x067b, 0x2303);
  prolific.manufacturer = "Prolific Technology Inc.";
  prolific.product = "USB-Serial Controller";
  prolific.serialNumber = "A\\7";
  test::FixedPortSource source(
      {{"/dev/ttyS0", "ttyS0", PortTransport::Native, {}, {}, {}, {}, {}},
       Usb("/dev/ttyUSB10", "FT232R USB UART", 0x0403, 0x6001),
       {"/dev/rfcomm0", "Radio \"Link\"\tB\n\x01", PortTransport::Bluetooth, {}, {}, {}, {}, {}},
       prolific, Usb("/dev/ttyACM0", "", 0x1209, 0x0001)},
      {{"/dev/ttyUSB2", kProlificId}, {"/dev/ttyUSB10", kFtdiId}});

  const struct {
    std::string name, menu, line, json;  // json "" when not looked at
  } expected[] = {
      {"/dev/ttyACM0", "/dev/ttyACM0 (1209:0001)", "/dev/ttyACM0\t/dev/ttyACM0\tusb\t-\t1209:0001\t-", ""},
      {kProlificId, "/dev/ttyUSB2 — Prolific USB-Serial Controller (067b:2303)",
       kProlificId + "\t/dev/ttyUSB2\tusb\tProlific USB-Serial Controller\t067b:2303\tCOM1",
       "{\"name\": \"" + kProlificId + "\", \"device\": \"/dev/ttyUSB2\", \"transport\": \"usb\", \"description\": "
       "\"Prolific USB-Serial Controller\", \"vendor_id\": \"067b\", \"product_id\": \"2303\", \"manufacturer\": "
       "\"Prolific Technology Inc.\", \"product\": \"USB-Serial Controller\", \"serial_number\": \"A\\\\7\", "
       "\"reached_by\": [\"COM1\"]}"},
      {kFtdiId, "/dev/ttyUSB10 — FT232R USB UART (0403:6001)",
       kFtdiId + "\t/dev/ttyUSB10\tusb\tFT232R USB UART\t0403:6001\t-", ""},
      {"/dev/rfcomm0", "/dev/rfcomm0 — Radio \"Link\" B  ", "/dev/rfcomm0\t/dev/rfcomm0\tbluetooth\tRadio \"Link\" B  \t-\t-",
       "{\"name\": \"/dev/rfcomm0\", \"device\": \"/dev/rfcomm0\", \"transport\": \"bluetooth\", \"description\": "
       "\"Radio \\\"Link\\\"\\tB\\n\\u0001\", \"vendor_id\": null, \"product_id\": null, \"manufacturer\": null, "
       "\"product\": null, \"serial_number\": null, \"reached_by\": []}"},
      {"/dev/ttyS0", "/dev/ttyS0 — ttyS0", "/dev/ttyS0\t/dev/ttyS0\tnative\tttyS0\t-\tCOM3,COM4", ""},
      {"/tmp/radio", "/tmp/radio", "/tmp/radio\t/tmp/radio\tother\t-\t-\tCOM2",
       "{\"name\": \"/tmp/radio\", \"device\": \"/tmp/radio\", \"transport\": \"other\", \"description\": null, "
       "\"vendor_id\": null, \"product_id\": null, \"manufacturer\": null, \"product\": null, \"serial_number\": "
       "null, \"reached_by\": [\"COM2\"]}"},
  };
  const std::vector<ListedPort> listed = ListSerialPorts(source);
  ASSERT_EQ(listed.size(), std::size(expected));
  for (std::size_t i = 0; i < listed.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(listed[i].name, expected[i].name);
    EXPECT_EQ(PortMenuText(listed[i]), expected[i].menu);
    EXPECT_EQ(PortLine(listed[i]), expected[i].line);
    if (!expected[i].json.empty()) { EXPECT_EQ(PortJson(listed[i]), expected[i].json); }
  }
}

}  // namespace
}  // namespace korvel
