// korvel-cli align: in-process against the simulated radio on simulated
// time for how it ends (exit status, what the user reads, what the radio
// took), and once as the real programs over a pseudo-terminal.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "link/port_names.h"
#include "link/transfer_texts.h"
#include "simulated_port.h"
#include "radio_align.h"
#include "radio_protocol.h"
#include "scoped_env.h"
#include "simulated_clock.h"
#include "temp_dir.h"
#include "command_run.h"
#include "test_files.h"
#include "testmode/texts.h"

namespace korvel::test {
namespace {

using Block = std::array<std::uint8_t, 8>;

struct AlignCase {
  std::string name;
  cli::AlignOptions options;
  radiosim::RadioFaults faults = {};
  int status = 0;
  std::string err = std::string(texts::kTestFinished) + "\n";
  int commandsTaken = 1;
  std::uint8_t command = 0;
  Block frequency = {};
  Block parameter = {};
  bool portOpened = true;
};

// A frequency the frequency box would not take goes nowhere: the port is
// never opened. The forms it refuses are the model's (frequency_check_test);
// here what align alone does: no blanks trimmed, nothing empty, the text
// shown harmless, and both --rx and --tx checked.
AlignCase NotAFrequency(const char* flag, const std::string& text, const std::string& shown) {
  AlignCase c{.name = flag + (" " + text), .options = {"COM1", "squelch", 160, "146.52", "146.52"}, .status = 1,
              .err = "korvel-cli: " + std::string(flag) + ": \"" + shown +
                     "\" is not a frequency in MHz (digits and one decimal point or comma)\n",
              .commandsTaken = 0, .portOpened = false};
  (flag == std::string("--rx") ? c.options.rx : c.options.tx) = text;
  return c;
}

TEST(CliAlign, EveryEndAsTheUserSeesIt) {
  const std::string error = texts::kTestError;
  const ScopedEnv com1("KORVEL_COM1", "/dev/ttyS0");
  const std::string noAnswer = "\n(no answer on " + ResolvePortDevice("COM1") + " after 1 attempt (0.9 s))";
  const AlignCase cases[] = {
      {.name = "squelch at 146.52 MHz, tones by name",
       .options = {"COM1", "squelch", 160, "146.52", "146.52", "88.5", "D023N"},
       .command = 0x73,
       .frequency = {0x00, 0x20, 0x65, 0x14, 0x00, 0x20, 0x65, 0x14},
       .parameter = {0x85, 0x08, 0x23, 0x80, 0xFB, 0x01, 0x01, 0xA0}},
      {.name = "tx power 255, tones OFF",
       .options = {"COM1", "tx-power", 255, "136", "174", "OFF", "off"},
       .command = 0x74,
       .frequency = {0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17},
       .parameter = {0x00, 0x00, 0x00, 0x00, 0xFB, 0x01, 0x01, 0xFF}},
      {.name = "a decimal comma is the decimal point",
       .options = {"COM1", "squelch", 160, "146,52", "146.52", "88.5", "D023N"},
       .command = 0x73,
       .frequency = {0x00, 0x20, 0x65, 0x14, 0x00, 0x20, 0x65, 0x14},
       .parameter = {0x85, 0x08, 0x23, 0x80, 0xFB, 0x01, 0x01, 0xA0}},
      {.name = "a silent radio: one Retry from --retries, then Cancel",
       .options = {"COM1", "squelch", 1, "146", "146", "OFF", "OFF", {.testRetries = 1}},
       .faults = {.silent = true},
       .status = 1,
       .err = error + noAnswer + "\n(Retry)\n" + error + noAnswer + "\n(Cancel)\nkorvel-cli: align ended: cancelled\n",
       .commandsTaken = 0},
      {.name = "a frequency that can't be sent opens no port",
       .options = {"COM1", "squelch", 1, "146", "1000", "OFF", "OFF"},
       .status = 1,
       .err = "The transmit frequency \"1000\" cannot be sent: it must be from 0 to 999.99999 MHz.\n"
              "korvel-cli: align ended: refused\n",
       .commandsTaken = 0, .portOpened = false},
      {.name = "a tone that is not in the list",
       .options = {"COM1", "squelch", 1, "146", "146", "88.4", "OFF"},
       .status = 1,
       .err = "korvel-cli: --rx-tone: \"88.4\" is not a tone of the tone list\n",
       .commandsTaken = 0, .portOpened = false},
      NotAFrequency("--rx", "abc", "abc"),
      NotAFrequency("--rx", "", ""),
      NotAFrequency("--tx", " 146.52", " 146.52"),
      NotAFrequency("--tx", "146.52\x1b[2J", "146.52\\x1b[2J"),
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    radiosim::RadioProtocol radio(NewImage(), 0x38, c.faults);
    SimulatedClock clock;
    CancelToken cancel;
    SimulatedPort port(radio, clock, cancel);
    MemoryStream err;
    std::FILE* in = std::tmpfile();
    cli::RadioSession session{port, clock, cancel, in, err.File(), false, false};
    EXPECT_EQ(cli::AlignRadio(c.options, session), c.status);
    std::fclose(in);
    EXPECT_EQ(err.Text(), c.err);
    EXPECT_EQ(port.Opens() > 0, c.portOpened);
    ASSERT_EQ(radio.TestCommands().size(), static_cast<std::size_t>(c.commandsTaken));
    if (c.commandsTaken == 0) continue;
    EXPECT_EQ(radio.TestCommands()[0].command, c.command);
    EXPECT_EQ(radio.TestCommands()[0].frequencyBlock, c.frequency);
    EXPECT_EQ(radio.TestCommands()[0].parameterBlock, c.parameter);
  }
}

}  // namespace
}  // namespace korvel::test
