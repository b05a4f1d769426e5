// korvel-cli fleet write in-process: each radio a simulated one on
// simulated time. Three radios at once, on real pseudo-terminals, are in
// cli_paced_test.cpp.

#include "fleet_write.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>

#include "model/settings_block.h"
#include "simulated_port.h"
#include "radio_protocol.h"
#include "regex_matchers.h"
#include "simulated_clock.h"
#include "small_disk.h"
#include "system_texts.h"
#include "temp_dir.h"
#include "command_run.h"
#include "test_files.h"

namespace korvel::test {
namespace {


// Radios handed out one per line opened: the next radio connected, with
// the faults given for its port, and the cancel raised at its port's moment.
struct RadioShelf {
  struct Radio {
    explicit Radio(const radiosim::RadioFaults& faults) : protocol(PatternImage(8), 0x38, faults) {}
    radiosim::RadioProtocol protocol;
    SimulatedClock clock;
  };
  cli::FleetLine Open(const std::string& port, CancelToken& cancel) {
    if (radios.empty() && beforeFirstRadio) beforeFirstRadio();
    Radio& radio = radios.emplace_back(faults[port]);
    if (cancelAtMs.contains(port)) radio.clock.RaiseAt(cancelAtMs[port], cancel);
    return {std::make_unique<SimulatedPort>(radio.protocol, radio.clock, cancel), &radio.clock};
  }
  std::deque<Radio> radios;
  std::map<std::string, radiosim::RadioFaults> faults;
  std::map<std::string, long long> cancelAtMs;
  std::function<void()> beforeFirstRadio;
};

// "file.sin" in dir: a channel data file of the shelf's radio type.
MemoryImage RadioFile(const TempDir& dir) {
  MemoryImage file = PatternImage(9);
  file[settings::kRadioType] = 0x38;
  WriteImage(dir.File("file.sin"), file);
  return file;
}

struct FleetRun {
  explicit FleetRun(const std::string& answers) {
    std::fputs(answers.c_str(), in);
    std::rewind(in);
  }
  ~FleetRun() { std::fclose(in); }
  int Run(const cli::FleetOptions& options) {
    cli::FleetSession session{[this](const std::string& port) { return shelf.Open(port, cancel); },
                              cancel, in, out.File(), err.File(), false};
    return cli::WriteFleet(options, session);
  }
  RadioShelf shelf;
  CancelToken cancel;
  std::FILE* in = std::tmpfile();
  MemoryStream out, err;
};

// Radios one after another: on one port as long as Enter is pressed, or
// the ports in turn with --sequential. Each radio's lines come together,
// each adds its log line, and one that fails does not stop the next. A
// failure says how far its transfer got, a radio left partly written is
// logged "partial" and a verify's differences are listed under the radio's
// line; a cancel leaves the ports not begun "not started", each still with
// its line and its log line.
TEST(FleetWrite, RadiosOneAfterAnother) {
  const std::string ok = ",KR-100,completed,match";
  const struct {
    const char* answers;
    std::vector<std::string> ports;
    int status;
    std::string summary;
    std::vector<std::string> logged;  // Port to Verify of each log line, in order
    std::string listed = "";          // lines on the error stream, among the others
  } cases[] = {
      {"\n\nq\n", {"COM1"}, 0, "3 radios: 3 written and verified", {"COM1" + ok, "COM1" + ok, "COM1" + ok}},
      {"", {"COM1"}, 0, "1 radio: 1 written and verified", {"COM1" + ok}},
      {" Q\n\n", {"COM1"}, 0, "1 radio: 1 written and verified", {"COM1" + ok}},
      {"", {"COM1", "SILENT", "BADACK"}, 1,
       "3 radios: 1 written and verified, 2 failed (SILENT: communication error (0 of 264 blocks); BADACK: verify "
       "failed: read acknowledgement failed (40 of 264 blocks))",
       {"COM1" + ok, "SILENT,,communication error \\(0 of 264 blocks\\),not run",
        "BADACK,KR-100,completed,failed: read acknowledgement failed \\(40 of 264 blocks\\)"}},
      {"", {"COM1", "CANCEL", "COM3", "COM4"}, 1,
       "4 radios: 1 written and verified, 1 failed (CANCEL: cancelled (142 of 264 blocks)), 2 not started (COM3, COM4)",
       {"COM1" + ok, "CANCEL,KR-100,partial \\(142 of 264 blocks\\),not run", "COM3,,not started,not run",
        "COM4,,not started,not run"},
       "CANCEL: KR-100 failed: cancelled (142 of 264 blocks)\nCANCEL: The radio received 142 of 264 blocks and now "
       "holds part of the new memory and part of the old. Write it again before using the radio.\n"},
      {"", {"COM1", "CORRUPT"}, 1, "2 radios: 1 written and verified, 1 failed (CORRUPT: verify found 1 difference)",
       {"COM1" + ok, "CORRUPT,KR-100,completed,1 difference"},
       "CORRUPT: KR-100 failed: verify found 1 difference\nCORRUPT: Channel 5 Receive: 434.24140 -> 434.24141\n"},
  };
  TempDir dir;
  const MemoryImage file = RadioFile(dir);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.summary + ", answers \"" + c.answers + "\"");
    std::filesystem::remove(dir.File("log.csv"));
    FleetRun run(c.answers);
    run.shelf.faults["SILENT"].silent = true;
    run.shelf.faults["BADACK"].badReadAckBlock = 40;
    run.shelf.faults["CORRUPT"].corruptStoredByte = 0x40;
    run.shelf.cancelAtMs["CANCEL"] = 300;
    EXPECT_EQ(run.Run({.file = dir.File("file.sin"), .ports = c.ports, .log = dir.File("log.csv"), .verify = true,
                       .sequential = c.ports.size() > 1}),
              c.status) << run.err.Text();
    std::string records;
    std::size_t radio = 0;  // the radios connected: on every port but those not started
    for (const std::string& logged : c.logged) {
      records += "[0-9T:+-]{25}," + logged + ",[0-9.]+\n";
      if (logged.ends_with(",not started,not run")) {
        EXPECT_EQ(CountLines(run.err.Text(), logged.substr(0, logged.find(',')) + ": not started"), 1);
        continue;
      }
      EXPECT_EQ(run.shelf.radios.at(radio++).protocol.Image() == ThroughGrid(file),
                logged.find(",completed,") != std::string::npos && !logged.ends_with("difference"))
          << logged;
    }
    EXPECT_EQ(radio, run.shelf.radios.size());
    EXPECT_EQ(run.out.Text(), c.summary + "\n");
    EXPECT_NE(run.err.Text().find(c.listed), std::string::npos) << run.err.Text();
    std::vector<std::string> turns;  // the port of each run of lines about a radio
    std::istringstream err(run.err.Text());
    for (std::string line; std::getline(err, line);) {
      const std::string port = line.substr(0, line.find(':'));
      if (port != cli::kNextRadioPrompt && (turns.empty() || turns.back() != port))
        turns.push_back(port);
    }
    EXPECT_EQ(turns, c.ports) << run.err.Text();
    EXPECT_EQ(CountLines(run.err.Text(), c.ports.front() + ": Writing…"), c.ports.size() > 1 ? 1 : c.logged.size());
    const std::string header = "Time,Port,Radio,Result,Verify,Duration \\(s\\)\n";
    EXPECT_THAT(ReadFile(dir.File("log.csv")), MatchesRegex(header + records));
  }
}

#ifndef _WIN32
// What is refused is refused before any radio is touched, and at once: a
// log that is no regular file (a FIFO nobody reads would hold an open).
// Windows' refusals of a log are in fleet_log_windows_test.cpp.
TEST(FleetWrite, RefusalsComeBeforeAnyRadio) {
  TempDir dir;
  WriteImage(dir.File("file.sin"), NewImage());
  WriteFile(dir.File("short.sin"), "short");
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  struct Case {
    const char* name;
    cli::FleetOptions options;
    std::string err;
  };
  const Case cases[] = {
      {"a log that cannot be created",
       {.file = dir.File("file.sin"), .ports = {"COM1", "COM2"}, .log = dir.File("no/log.csv")},
       "korvel-cli: Cannot open the log \"" + dir.File("no/log.csv") + "\": " + NoSuchFolderText() + "\n"},
      {"a FIFO log", {.file = dir.File("file.sin"), .ports = {"COM1"}, .log = dir.File("fifo")},
       "korvel-cli: Cannot open the log \"" + dir.File("fifo") + "\": it is not a regular file\n"},
      {"a device log", {.file = dir.File("file.sin"), .ports = {"COM1"}, .log = "/dev/full"},
       "korvel-cli: Cannot open the log \"/dev/full\": it is not a regular file\n"},
      {"a folder log", {.file = dir.File("file.sin"), .ports = {"COM1"}, .log = dir.Path().string()},
       "korvel-cli: Cannot open the log \"" + dir.Path().string() + "\": Is a directory\n"},
      {"a port given twice", {.file = dir.File("file.sin"), .ports = {"COM1", "COM1"}, .log = dir.File("log.csv")},
       "korvel-cli: each --port may be given once: one radio per port at a time\n"},
      {"a file that is not a channel data file",
       {.file = dir.File("short.sin"), .ports = {"COM1"}, .log = dir.File("log.csv")},
       "korvel-cli: \"" + dir.File("short.sin") + "\" is not a channel data file: it holds 5 bytes, a channel data "
       "file holds 2112.\n"},
  };
  ::alarm(10);  // a refusal that hangs ends the run
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FleetRun run("");
    EXPECT_EQ(run.Run(c.options), 1);
    EXPECT_EQ(run.err.Text(), c.err);
    EXPECT_TRUE(run.shelf.radios.empty());
  }
  ::alarm(0);
}
#endif

// A log on a full disk: without room for the lines it stops the command
// before any radio; when the disk fills once the radios have begun (another
// run's lines taking the log's last page), their results stand and the
// log's failure is said apart: exit 3, or 1 when a radio failed too.
TEST(FleetWrite, ALogThatCannotBeWritten) {
  const struct {
    bool fullAtStart;
    std::vector<std::string> ports;
    int status;
    std::string summary;
  } cases[] = {
      {true, {"COM1", "COM2"}, 1, ""},
      {false, {"COM1", "COM2"}, 3, "2 radios: 2 written and verified; the log could not be written: No space left on "
       "device\n"},
      {false, {"COM1", "SILENT"}, 1, "2 radios: 1 written and verified, 1 failed (SILENT: communication error (0 of "
       "264 blocks)); the log could not be written: No space left on device\n"},
  };
  TempDir dir;
  RadioFile(dir);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.summary);
    SmallDisk disk;
    KORVEL_NEED_SMALL_DISK(disk);
    const std::string log = disk.File("log.csv");
    const auto fill = [&] {
      const std::string earlier = std::filesystem::exists(log) ? ReadFile(log) : "earlier lines\n";
      WriteFile(log, earlier + std::string(4095 - earlier.size() % 4096, '#') + "\n");
      disk.Fill();
    };
    FleetRun run("");
    run.shelf.faults["SILENT"].silent = true;
    c.fullAtStart ? fill() : void(run.shelf.beforeFirstRadio = fill);
    EXPECT_EQ(run.Run({.file = dir.File("file.sin"), .ports = c.ports, .log = log, .verify = true, .sequential = true}),
              c.status) << run.err.Text();
    EXPECT_EQ(run.out.Text(), c.summary);
    const std::string unwritten = "Cannot write the log \"" + log + "\": No space left on device";
    for (const std::string& said : c.fullAtStart ? std::vector<std::string>{"korvel-cli"} : c.ports)
      EXPECT_EQ(CountLines(run.err.Text(), said + ": " + unwritten), 1) << run.err.Text();
    EXPECT_EQ(run.shelf.radios.size(), c.fullAtStart ? 0 : c.ports.size());
  }
}

}  // namespace
}  // namespace korvel::test
