// Channels through the clipboard: what copied text holds, how pasted text
// splits into cells, and a paste taken whole as typing would take it, or
// refused whole.

#include "model/channel_paste.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "model/channel_edits.h"
#include "model/frequency_check.h"
#include "sample_channels.h"
#include "test_files.h"

namespace korvel {
namespace {

using namespace test;  // the sample rows and the recording prompter

TEST(ChannelPaste, ClipboardTextSplitsIntoLinesOfCells) {
  const struct {
    const char* name;
    std::string text;
    CellBlock cells;
  } cases[] = {
      {"tab-separated rows keep their empty cells", "146.52\t\tOFF\n145\t145\n",
       {{"146.52", "", "OFF"}, {"145", "145"}}},
      {"\\r\\n line ends", "a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}},
      {"the last line needs no line end", "a\tb\nc", {{"a", "b"}, {"c"}}},
      {"a blank line keeps its place", "a\n\nb\n", {{"a"}, {""}, {"b"}}},
      {"one cell", "146.52", {{"146.52"}}},
      {"without a tab, commas separate", "146.52,145\n", {{"146.52", "145"}}},
      {"quoting in tab-separated text", "\"a\tb\"\tc\n", {{"a\tb", "c"}}},
      {"a CSV header is skipped and channel numbers dropped",
       "Channel,Receive,Transmit,Rx Tone,Tx Tone,W/N,Scan,Tx Power,Opt Signal,PTTID,BusyLock\r\n"
       "12,146.52000,146.52000,OFF,OFF,Wide,Yes,High,DTMF,ON,Close\r\n",
       {{"146.52000", "146.52000", "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"}}},
      {"the grid's header, in any case", "ch\tReceive(MHz)\n146.52\n", {{"146.52"}}},
      {"only a first line is a header", "146.52\nCH\n", {{"146.52"}, {"CH"}}},
      {"11 cells not starting with a channel number stay 11", "129,1,2,3,4,5,6,7,8,9,10\n",
       {{"129", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseClipboardText(c.text), c.cells);
  }
}

constexpr const char* kOutside = "This cell falls outside the table (channels 1 to 128, Receive to BusyLock).";

// Channel 1 toned, channel 2 receive-only, the rest empty; the bar's band
// is 136 - 174 MHz.
void LoadChannels(ChannelTable& channels) {
  TypeSettings type;
  type.band = 1;
  channels.SetType(type);
  channels.SetRow(1, ChannelTexts{kToned});
  channels.SetRow(2, ChannelTexts{kReceiveOnly});
}

struct Refused {
  int row;
  int column;
  std::string text;
  std::string reason;
  bool operator==(const Refused&) const = default;
};

TEST(ChannelPaste, PastesWholeAsTypingWouldOrNotAtAll) {
  const Texts copied = {"146.52000", "145.00000", "88.5", "D023N", "Narrow", "No", "Low", "None", "OFF", "Carrier"};
  const struct {
    const char* name;
    int row;
    int column;
    CellBlock block;
    std::vector<std::pair<int, Texts>> after;  // rows that change, as they end up
    std::vector<Refused> refused;
  } cases[] = {
      {"a copied row lands in an empty channel", 5, 1, {{copied.begin(), copied.end()}}, {{5, copied}}, {}},
      {"any case, and a comma as the decimal point", 5, 1,
       {{"146,525", "", "d754i", "off", "narrow", "YES", "high", "fleetsync", "On", "qt/dqt"}},
       {{5, {"146.52500", "", "D754I", "OFF", "Narrow", "Yes", "High", "FleetSync", "ON", "QT/DQT"}}}, {}},
      {"a receive frequency alone transmits too, as typed", 6, 1, {{"146.52"}},
       {{6, NewRow("146.52000", "146.52000")}}, {}},
      {"cells the line does not reach take the new-row texts", 6, 1, {{"146.52", "", "88.5"}},
       {{6, {"146.52000", "", "88.5", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"}}}, {}},
      {"a frequency outside the bar's band is taken", 5, 2, {{"450"}}, {{5, NewRow("", "450.00000")}}, {}},
      {"empty tone and option cells change nothing", 1, 3, {{"", "D025N", "", "No"}},
       {{1, {"146.52000", "146.52000", "88.5", "D025N", "Wide", "No", "High", "DTMF", "ON", "Close"}}}, {}},
      {"receive cleared and transmit set keep the channel's options", 2, 1, {{"", "145"}},
       {{2, {"", "145.00000", "OFF", "OFF", "Narrow", "No", "Low", "FleetSync", "OFF", "Carrier"}}}, {}},
      {"ten cells without frequencies empty the channel", 1, 1,
       {{"", "", "88.5", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"}}, {{1, kEmpty}}, {}},
      {"lines go to consecutive channels", 127, 1, {{"146.52", "146.52"}, {"", "147.52"}},
       {{127, NewRow("146.52000", "146.52000")}, {128, NewRow("", "147.52000")}}, {}},
      {"an empty cell past the last column is no refusal", 1, 10, {{"Carrier", ""}},
       {{1, {"146.52000", "146.52000", "88.5", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Carrier"}}}, {}},
      {"a frequency outside 67 to 521 MHz", 1, 1, {{"600"}}, {}, {{1, 1, "600", kFormatErrorText}}},
      {"an option not in its column's list", 1, 7, {{"Medium"}}, {},
       {{1, 7, "Medium", "Not in this column's list (Low, High)."}}},
      {"a line past channel 128", 128, 1, {{"146.52"}, {"147.52"}}, {}, {{129, 1, "147.52", kOutside}}},
      {"a cell past the last column", 1, 10, {{"Close", "Yes"}}, {}, {{1, 11, "Yes", kOutside}}},
      {"every refused cell is named (a tone's beginning names none), and good lines wait too", 5, 1,
       {{"146.52", "146.52", "88.5"}, {"147.523", "", "88"}}, {},
       {{6, 1, "147.523", kStepErrorText}, {6, 3, "88", kUnknownToneText}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChannelTable before;
    LoadChannels(before);
    ChannelTable channels;
    LoadChannels(channels);
    const PasteOutcome outcome = PasteCells(channels, c.row, c.column, c.block);
    std::vector<Refused> refused;
    for (const CellRefusal& r : outcome.refusals) refused.push_back({r.row, r.column, r.text, r.reason});
    EXPECT_EQ(refused, c.refused);
    EXPECT_EQ(outcome.Applied(), c.refused.empty());
    test::ExpectChannels(channels, before, c.after);
  }
}

TEST(ChannelPaste, CopiedCellsPasteBackAsTheSameTexts) {
  ChannelTable source;
  source.Fill(test::ChannelListImage(3));
  // The whole table as rows into an empty one; then frequencies alone, and
  // the rest of a block of rows on top of them.
  const struct {
    const char* name;
    std::vector<std::string> copies;  // pasted in turn, each at its own top left cell
    std::vector<std::pair<int, int>> at;
    int firstRow;
    int lastRow;
  } cases[] = {
      {"rows", {CopyRowsText(source, 1, 128)}, {{1, 1}}, 1, 128},
      {"a rectangle",
       {CopyCellsText(source, 10, 1, 20, 2), CopyCellsText(source, 10, 3, 20, 10)},
       {{10, 1}, {10, 3}},
       10,
       20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChannelTable channels;
    for (std::size_t i = 0; i < c.copies.size(); ++i) {
      const PasteOutcome outcome =
          PasteCells(channels, c.at[i].first, c.at[i].second, ParseClipboardText(c.copies[i]));
      ASSERT_TRUE(outcome.Applied()) << DescribePasteRefusals(outcome.refusals);
      EXPECT_EQ(outcome.firstRow, c.firstRow);
      EXPECT_EQ(outcome.lastRow, c.lastRow);
    }
    for (int row = 1; row <= ChannelTable::kRows; ++row) {
      SCOPED_TRACE(row);
      const bool pasted = row >= c.firstRow && row <= c.lastRow;
      EXPECT_EQ(channels.Row(row).text, (pasted ? source.Row(row) : ChannelTexts{}).text);
    }
  }
}

// At most 50 refused cells are listed; the rest are counted.
TEST(ChannelPaste, RefusalsAreListedCellByCell) {
  const CellRefusal refusal{12, 3, "89.9", kUnknownToneText};
  const std::string line = "Channel 12, Rx Tone: \"89.9\" — " + std::string(kUnknownToneText);
  EXPECT_EQ(DescribePasteRefusals({refusal}), "Nothing was pasted: 1 cell is refused.\n" + line);
  const std::string many = DescribePasteRefusals(std::vector<CellRefusal>(75, refusal));
  EXPECT_TRUE(many.starts_with("Nothing was pasted: 75 cells are refused.\n" + line + "\n")) << many;
  EXPECT_TRUE(many.ends_with("\n" + line + "\nand 25 more")) << many;
  EXPECT_EQ(std::count(many.begin(), many.end(), '\n'), 51);
}

}  // namespace
}  // namespace korvel
