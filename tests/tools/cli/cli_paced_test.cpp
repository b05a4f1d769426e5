// korvel-cli against korvel-radiosim at the real pace of a 9600-baud line,
// through a pseudo-terminal: a full read and a full write. Slow (about 10
// and 4 seconds).

#include <gtest/gtest.h>

#include "model/settings_block.h"
#include "temp_dir.h"
#include "test_files.h"
#include "cli_processes.h"

namespace korvel::test {
namespace {

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

}  // namespace
}  // namespace korvel::test
