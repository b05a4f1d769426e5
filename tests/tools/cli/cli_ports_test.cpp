// korvel-cli ports in-process over a fixed port source: what it prints on
// each stream and its exit status, with ports and without.

#include "ports_command.h"

#include <gtest/gtest.h>

#include "command_run.h"
#include "fixed_port_source.h"
#include "scoped_env.h"

namespace korvel::cli {
namespace {

TEST(PortsCommand, ListsEachPortOnceOrSaysThereIsNone) {
  // No COM name adds a device of its own.
  const test::ScopedEnv com1("KORVEL_COM1", {}), com2("KORVEL_COM2", {}), com3("KORVEL_COM3", {}),
      com4("KORVEL_COM4", {});
  const std::vector<PortDescription> two = {{"/dev/ttyS1", "ttyS1", PortTransport::Native, {}, {}, {}, {}, {}},
                                            {"/dev/ttyUSB0", "CP2102", PortTransport::Usb, 0x10c4, 0xea60, {}, {}, {}}};
  test::FixedPortSource both(two);
  const std::vector<ListedPort> listed = ListSerialPorts(both);
  ASSERT_EQ(listed.size(), 2u);
  const std::string none = std::string(kNoPortFound) + "\n";
  const struct {
    const char* name;
    std::vector<PortDescription> ports;
    bool json;
    std::string out, err;
  } cases[] = {
      {"lines", two, false, PortLine(listed[0]) + "\n" + PortLine(listed[1]) + "\n", ""},
      {"JSON", two, true, "[" + PortJson(listed[0]) + ",\n " + PortJson(listed[1]) + "]\n", ""},
      {"no port", {}, false, "", none},
      {"no port, JSON", {}, true, "[]\n", none},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::FixedPortSource source(c.ports);
    const test::CommandRun run = test::RunWithStreams(
        [&](const CommandStreams& streams) { return ListPorts(PortsOptions{c.json}, streams, source); });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
}

}  // namespace
}  // namespace korvel::cli
