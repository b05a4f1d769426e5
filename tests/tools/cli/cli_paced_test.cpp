// korvel-cli against korvel-radiosim through pseudo-terminals: a full read
// and a full write at the real pace of a 9600-baud line (about 10 and 4
// seconds), and a fleet write to three radios at once, each on a
// pseudo-terminal of its own (--fast; the verify reads still take their
// mandated pauses: about 6 seconds in all).

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "model/settings_block.h"
#include "temp_dir.h"
#include "test_files.h"
#include "cli_processes.h"

namespace korvel::test {
namespace {

using ::testing::MatchesRegex;
using ::testing::UnorderedElementsAre;

TEST(PacedTransfer, FullReadAtLineSpeed) {
  TempDir dir;
  const MemoryImage memory = PatternImage(11);
  WriteImage(dir.File("memory.sin"), memory);
  Simulator radio;
  ASSERT_TRUE(radio.Start({"--image", dir.File("memory.sin")})) << radio.Stderr();

  // By port name, as the user picks it: COM1 stands for the device.
  const ChildRun run = RunCli({"read", "--port", "COM1", "-o", dir.File("read.sin")}, 60'000,
                              {"KORVEL_COM1=" + radio.Device()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ImageFromFile(dir.File("read.sin")), memory);
}

TEST(PacedTransfer, FullWriteAtLineSpeed) {
  TempDir dir;
  MemoryImage file = PatternImage(12);
  file[settings::kRadioType] = 0x38;
  WriteImage(dir.File("file.sin"), file);
  const std::string saved = dir.File("radio-saved.sin");
  Simulator radio;
  ASSERT_TRUE(radio.Start({"--type", "0x38", "--save", saved})) << radio.Stderr();

  const ChildRun run = RunCli({"write", "--port", radio.Device(), dir.File("file.sin")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ImageFromFile(saved), ThroughGrid(file)) << "saved as soon as all 264 blocks arrived";
  EXPECT_EQ(radio.Stop(), 0);
  EXPECT_EQ(ImageFromFile(saved), ThroughGrid(file)) << "and again at exit";
}

TEST(FleetProcess, ThreeRadiosAtOnceOneFaultyTheOthersWrittenAndAllLogged) {
  TempDir dir;
  MemoryImage file = PatternImage(21);
  file[settings::kRadioType] = 0x3A;
  WriteImage(dir.File("file.sin"), file);
  // The faulty radio stores channel 5's lowest receive frequency byte wrongly.
  Simulator radios[3];
  const std::vector<std::string> faults[3] = {{}, {"--corrupt-byte", "0x40"}, {}};
  for (int i = 0; i < 3; ++i) {
    std::vector<std::string> args = {"--fast", "--type", "0x3A", "--save", dir.File("radio" + std::to_string(i))};
    args.insert(args.end(), faults[i].begin(), faults[i].end());
    ASSERT_TRUE(radios[i].Start(args)) << radios[i].Stderr();
  }
  const std::string faulty = radios[1].Device();

  const ChildRun run = RunCli({"fleet", "write", dir.File("file.sin"), "--port", radios[0].Device(), "--port",
                               faulty, "--port", radios[2].Device(), "--verify", "--log", dir.File("log.csv")});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out, "3 radios: 2 written and verified, 1 failed (" + faulty + ": verify found 1 difference)\n");
  EXPECT_EQ(CountLines(run.err, faulty + ": KR-300 failed: verify found 1 difference"), 1) << run.err;
  for (const int good : {0, 2}) {
    EXPECT_NE(run.err.find(radios[good].Device() + ": KR-300 written and verified in "), std::string::npos)
        << run.err;
    EXPECT_EQ(ImageFromFile(dir.File("radio" + std::to_string(good))), ThroughGrid(file));
  }

  // One line per radio, whole, in the order they ended; the header and the
  // fields' forms are fleet_write_test's.
  const std::string log = ReadFile(dir.File("log.csv"));
  std::istringstream records(log.substr(log.find('\n') + 1));
  std::vector<std::string> lines;
  for (std::string line; std::getline(records, line);) lines.push_back(line);
  const auto line = [&](const std::string& device, const std::string& verify) {
    return MatchesRegex("[0-9T:+-]{25}," + device + ",KR-300,completed," + verify + ",[0-9]+\\.[0-9]");
  };
  EXPECT_THAT(lines, UnorderedElementsAre(line(radios[0].Device(), "match"), line(faulty, "1 difference"),
                                          line(radios[2].Device(), "match")));
}

}  // namespace
}  // namespace korvel::test
