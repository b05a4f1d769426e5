// korvel-cli fleet write in-process: each radio a simulated one on
// simulated time. Three radios at once, on real pseudo-terminals, are in
// fleet_process_test.cpp.

#include "fleet_write.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "fleet_log.h"
#include "model/settings_block.h"
#include "simulated_port.h"
#include "radio_protocol.h"
#include "simulated_clock.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel::test {
namespace {

using ::testing::MatchesRegex;

// Radios handed out one per line opened: the next radio connected.
struct RadioShelf {
  struct Radio {
    radiosim::RadioProtocol protocol{PatternImage(8), 0x38};
    SimulatedClock clock;
  };
  cli::FleetLine Open(const CancelToken& cancel) {
    Radio& radio = radios.emplace_back();
    return {std::make_unique<SimulatedPort>(radio.protocol, radio.clock, cancel), &radio.clock};
  }
  std::deque<Radio> radios;
};

struct FleetRun {
  explicit FleetRun(const std::string& answers) {
    std::fputs(answers.c_str(), in);
    std::rewind(in);
  }
  ~FleetRun() { std::fclose(in); }
  int Run(const cli::FleetOptions& options) {
    cli::FleetSession session{[this](const std::string&) { return shelf.Open(cancel); }, cancel, in, out.File(),
                              err.File(), false};
    return cli::WriteFleet(options, session);
  }
  RadioShelf shelf;
  CancelToken cancel;
  std::FILE* in = std::tmpfile();
  MemoryStream out, err;
};

TEST(FleetWrite, OnOnePortEachNextRadioIsAskedFor) {
  struct Case {
    const char* answers;
    int radios;
  };
  const Case cases[] = {{"\n\nq\n", 3}, {"\n", 2}, {"", 1}, {" Q\n\n", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    TempDir dir;
    MemoryImage file = PatternImage(9);
    file[settings::kRadioType] = 0x38;
    WriteImage(dir.File("file.sin"), file);
    FleetRun run(c.answers);
    EXPECT_EQ(run.Run({.file = dir.File("file.sin"), .ports = {"COM1"}, .log = dir.File("log.csv"), .verify = true}),
              0);
    ASSERT_EQ(static_cast<int>(run.shelf.radios.size()), c.radios);
    for (const RadioShelf::Radio& radio : run.shelf.radios) EXPECT_EQ(radio.protocol.Image(), ThroughGrid(file));
    const std::string radios = std::to_string(c.radios) + (c.radios == 1 ? " radio" : " radios");
    EXPECT_EQ(run.out.Text(), radios + ": " + std::to_string(c.radios) + " written and verified\n");
    EXPECT_EQ(CountLines(run.err.Text(), "COM1: Writing…"), c.radios);
    const std::string header = std::string(cli::kFleetLogHeader) + "\n";
    const std::string log = ReadFile(dir.File("log.csv"));
    ASSERT_EQ(log.substr(0, header.size()), header);
    std::string lines;
    for (int i = 0; i < c.radios; ++i) lines += "[0-9T:+-]{25},COM1,KR-100,completed,match,[0-9.]+\n";
    EXPECT_THAT(log.substr(header.size()), MatchesRegex(lines));
  }
}

// What is refused is refused before any radio is touched.
TEST(FleetWrite, RefusalsComeBeforeAnyRadio) {
  TempDir dir;
  WriteImage(dir.File("file.sin"), NewImage());
  WriteFile(dir.File("short.sin"), "short");
  struct Case {
    const char* name;
    cli::FleetOptions options;
    std::string err;
  };
  const Case cases[] = {
      {"a log that cannot be created",
       {.file = dir.File("file.sin"), .ports = {"COM1", "COM2"}, .log = dir.File("no/log.csv")},
       "korvel-cli: Cannot open the log \"" + dir.File("no/log.csv") + "\": No such file or directory\n"},
      {"a port given twice", {.file = dir.File("file.sin"), .ports = {"COM1", "COM1"}, .log = dir.File("log.csv")},
       "korvel-cli: each --port may be given once: one radio per port at a time\n"},
      {"a file that is not a channel data file",
       {.file = dir.File("short.sin"), .ports = {"COM1"}, .log = dir.File("log.csv")},
       "korvel-cli: \"" + dir.File("short.sin") + "\" is not a channel data file: it holds 5 bytes, a channel data "
       "file holds 2112.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FleetRun run("");
    EXPECT_EQ(run.Run(c.options), 1);
    EXPECT_EQ(run.err.Text(), c.err);
    EXPECT_TRUE(run.shelf.radios.empty());
  }
}

}  // namespace
}  // namespace korvel::test
