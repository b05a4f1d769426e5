// korvel-cli sort and insert-channels in-process: the files they write, and
// the refusals that write nothing. The orders and sets are the model's.

#include "channel_list_commands.h"

#include <gtest/gtest.h>

#include "command_run.h"
#include "sample_channels.h"
#include "model/channel_table.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel::test {
namespace {

// The channels a file holds, as the grid shows them.
std::vector<ChannelTexts> Channels(const std::string& path) {
  const MemoryImage image = ImageFromFile(path);
  std::vector<ChannelTexts> channels(1);  // from channel 1
  for (int row = 1; row <= kChannelCount; ++row) channels.push_back(DecodeChannel(ChannelRecordOf(image, row)));
  return channels;
}

// Channels 1..30 in use, receive frequencies falling; band 136 - 174MHz.
void WriteFalling(const std::string& path) {
  ChannelTable table;
  MemoryImage image = NewImage();
  table.Fill(image);
  SetFallingChannels(table, 30);
  table.SetType(TypeSettings{0, 1, 9, 0});
  table.Collect(image);
  WriteImage(path, image);
}

TEST(CliChannelList, SortWritesTheChannelsInOrder) {
  TempDir dir;
  WriteFalling(dir.File("in.sin"));
  const CommandRun r = RunCommand(cli::SortChannelFile, {dir.File("in.sin"), dir.File("out.sin"), "receive"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto before = Channels(dir.File("in.sin"));
  const auto after = Channels(dir.File("out.sin"));
  for (int row = 1; row <= 30; ++row) EXPECT_EQ(after[row], before[31 - row]) << row;
  EXPECT_TRUE(after[31].AllEmpty());

  const CommandRun refused = RunCommand(cli::SortChannelFile, {dir.File("in.sin"), dir.File("bad.sin"), "Freq"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err,
            "korvel-cli: no column \"Freq\" to sort by; the columns are Receive, Transmit, Rx Tone, Tx Tone, W/N, "
            "Scan, Tx Power, Opt Signal, PTTID, BusyLock.\n");
  EXPECT_FALSE(Exists(dir.File("bad.sin")));
}

TEST(CliChannelList, InsertChannelsWritesTheSetOrNothing) {
  TempDir dir;
  WriteFalling(dir.File("in.sin"));
  struct Case {
    cli::InsertChannelsOptions options;
    int status;
    std::vector<std::pair<int, std::string>> frequencies;  // channel, "receive/transmit" in the file written
    std::string err;
  };
  const std::string in = dir.File("in.sin"), out = dir.File("out.sin");
  const Case cases[] = {
      {{in, out, "pmr446", "", 40}, 0, {{39, "/"}, {40, "446.00625/446.00625"}, {55, "446.19375/446.19375"}, {56, "/"}},
       "korvel-cli: warning: Out of range!\n"},
      {{in, out, "", "145.6,12.5,8,-0.6"}, 0, {{30, "145.62500/"}, {31, "145.60000/145.00000"}, {38, "145.68750/145.08750"}}, ""},
      {{in, out, "lpd433", "", 100}, 1, {},
       "korvel-cli: LPD433 needs 69 empty channels from channel 100, but the last channel is 128. Nothing was "
       "inserted.\n"},
      {{in, out, "", "145,12.5"}, 1, {}, "korvel-cli: --series takes START,STEP,COUNT or START,STEP,COUNT,OFFSET"},
      {{in, out, "gmrs", ""}, 1, {}, "korvel-cli: no channel set \"gmrs\"; the sets are pmr446, frs and lpd433.\n"},
      {{in, out, "", ""}, 1, {}, "korvel-cli: give either --set"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options.set + c.options.series);
    std::remove(out.c_str());
    const CommandRun r = RunCommand(cli::InsertChannels, c.options);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
    EXPECT_EQ(Exists(out), c.status == 0);
    if (c.status != 0) continue;
    const auto written = Channels(out);
    for (const auto& [row, text] : c.frequencies)
      EXPECT_EQ(written[row][kRxFrequency] + "/" + written[row][kTxFrequency], text) << row;
  }
}

}  // namespace
}  // namespace korvel::test
