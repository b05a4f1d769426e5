// Port names on Windows: COM names open in the device namespace, which
// serves COM10 and above too; anything else as it stands.

#include <gtest/gtest.h>

#include "link/port_names.h"

namespace korvel {
namespace {

TEST(PortNames, ComNamesOpenInTheDeviceNamespace) {
  const struct {
    const char* name;
    const char* device;
  } cases[] = {
      {"COM1", "\\\\.\\COM1"}, {"COM4", "\\\\.\\COM4"}, {"COM10", "\\\\.\\COM10"}, {"COM256", "\\\\.\\COM256"},
      {"\\\\.\\COM5", "\\\\.\\COM5"}, {"COM", "COM"}, {"COMx", "COMx"}, {"LPT1", "LPT1"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePortDevice(c.name), c.device) << c.name;
}

}  // namespace
}  // namespace korvel
