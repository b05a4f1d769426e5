// Channel lists as CSV: the exported text, an import taken whole or refused
// whole with every refused cell's line and column, and an export imported
// back giving the same channels.

#include "model/channel_csv.h"

#include <gtest/gtest.h>

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

const std::string kHeader = std::string(kChannelCsvHeader) + "\r\n";
const std::string kShortHeader = "Channel,Receive,Transmit,Rx Tone,Tx Power\n";
constexpr const char* kNotAChannel = "A channel is a number from 1 to 128.";
constexpr const char* kNotLowHigh = "Not in this column's list (Low, High).";

// A New document with channel 1 toned and channel 2 receive-only.
void LoadChannels(CKovDoc& document) {
  document.OnNewDocument();
  document.FillFromImage();
  document.Channels().SetRow(1, ChannelTexts{kToned});
  document.Channels().SetRow(2, ChannelTexts{kReceiveOnly});
}

struct RefusedCell {
  int line;
  std::string column;
  std::string text;
  std::string reason;
  bool operator==(const RefusedCell&) const = default;
};

TEST(ChannelCsv, ImportsEveryLineOrNone) {
  const struct {
    const char* name;
    std::string csv;
    bool replaceAll;
    std::vector<std::pair<int, Texts>> after;  // channels that change, as they end up
    std::vector<RefusedCell> refused;
  } cases[] = {
      {"each line sets its channel, the others keep theirs",
       kHeader + "5,146.52,145,88.5,D023N,Narrow,No,Low,None,OFF,Carrier\r\n"
                 "7,,147.52000,off,OFF,wide,Yes,High,DTMF,ON,Close\r\n",
       false,
       {{5, {"146.52000", "145.00000", "88.5", "D023N", "Narrow", "No", "Low", "None", "OFF", "Carrier"}},
        {7, NewRow("", "147.52000")}}, {}},
      {"columns in any order and case, option columns left out", "transmit,CHANNEL,Receive\n,9,146.52\n", false,
       {{9, NewRow("146.52000", "")}}, {}},
      {"a channel keeps the options its line leaves out", "Channel,Receive,Transmit\n2,145.5,145.5\n", false,
       {{2, {"145.50000", "145.50000", "D754I", "OFF", "Narrow", "No", "Low", "FleetSync", "OFF", "Carrier"}}}, {}},
      {"quoted cells and blank lines", "\r\n" + kHeader + "\r\n\"3\",\"146.52\",\" 146.52\"\r\n\r\n", false,
       {{3, NewRow("146.52000", "146.52000")}}, {}},
      {"replacing empties the channels no line names", "Channel,Receive,Transmit\n7,146.52,146.52\n", true,
       {{1, kEmpty}, {2, kEmpty}, {7, NewRow("146.52000", "146.52000")}}, {}},
      {"channel numbers outside 1..128 or missing", kShortHeader + "0,146.52\n129,146.52\nx,146.52\n,146.52\n", false,
       {},
       {{2, "Channel", "0", kNotAChannel}, {3, "Channel", "129", kNotAChannel}, {4, "Channel", "x", kNotAChannel},
        {5, "Channel", "", kNotAChannel}}},
      {"a channel named twice", kShortHeader + "5,146.52\n6,146.52\n5,147.52\n", false, {},
       {{4, "Channel", "5", "Channel 5 is already on line 2."}}},
      {"every refused cell by its line and column (the checks are a paste's)", kShortHeader + "5,600,,,Medium\n",
       false, {}, {{2, "Receive", "600", kFormatErrorText}, {2, "Tx Power", "Medium", kNotLowHigh}}},
      {"a line break in a quoted cell counts in line numbers", kShortHeader + "5,146.52,,\"88.5\n\",\n6,600,,,\n",
       false, {},
       {{2, "Rx Tone", "88.5\n", kUnknownToneText}, {4, "Receive", "600", kFormatErrorText}}},
      {"no header", "5,146.52,146.52\n", false, {},
       {{1, "", "", "The first line must be the header: " + std::string(kChannelCsvHeader) + "."}}},
      {"a required column missing", "Channel,Receive,Rx Tone\n5,146.52,OFF\n", false, {},
       {{1, "Transmit", "", "The header has no such column; Channel, Receive and Transmit are required."}}},
      {"an unknown column and one named twice", "Channel,Receive,Transmit,Freq,receive\n5,146.52\n", false, {},
       {{1, "", "Freq", "No such column; the columns are " + std::string(kChannelCsvHeader) + "."},
        {1, "Receive", "receive", "This column is named twice."}}},
      {"a cell under no column", kShortHeader + "5,146.52,146.52,,,OFF\n", false, {},
       {{2, "", "OFF", "This cell stands under no column of the header."}}},
      {"a quote inside a cell", kShortHeader + "5,146.52,,,\n6,146\"52,,,\n7,146.52,,,\n", false, {},
       {{3, "", "", "A quote stands inside a cell that does not begin with one, or text follows a closing quote."}}},
      {"a quoted cell never closed", kShortHeader + "5,146.52,,,\n6,\"146.52,,,\n7,146.52\n", false, {},
       {{3, "", "", "A quoted cell that begins on this line is never closed."}}},
      {"an empty file", "", false, {},
       {{1, "", "", "The file is empty; a channel list begins with the header " + std::string(kChannelCsvHeader) +
                        "."}}},
      {"a refused replace empties nothing", "Channel,Receive,Transmit\n7,600,\n", true, {},
       {{2, "Receive", "600", kFormatErrorText}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CKovDoc before;
    LoadChannels(before);
    CKovDoc document;
    LoadChannels(document);
    const CsvImportOutcome outcome = ImportChannelsCsv(document, c.csv, c.replaceAll);
    std::vector<RefusedCell> refused;
    for (const CsvRefusal& r : outcome.refusals) refused.push_back({r.line, r.column, r.text, r.reason});
    EXPECT_EQ(refused, c.refused);
    EXPECT_EQ(outcome.Applied(), c.refused.empty());
    if (!outcome.Applied()) {
      EXPECT_EQ(document.Image(), before.Image());
    }
    test::ExpectChannels(document.Channels(), before.Channels(), c.after);
  }
}

// A refused cell is shown as text a terminal or a message box cannot take
// for commands, and a long one is cut.
TEST(ChannelCsv, RefusedCellsAreShownEscapedAndCut) {
  using namespace std::string_literals;
  const auto times = [](int count, const std::string& text) {
    std::string repeated;
    while (count-- > 0) repeated += text;
    return repeated;
  };
  const struct {
    std::string cell;  // quoted in the file
    std::string shown;
  } cases[] = {
      {"88.5\0"s, "88.5\\0"},  // not a valid tone that ends early
      {"\x1b]0;owned\x07\x1b[2J", "\\x1b]0;owned\\x07\\x1b[2J"},
      {"\xc2\x9b" "2J", "\\xc2\\x9b2J"},  // the one-byte form of ESC [
      {"a\tb\r\nc\x01\x1f\x7f", "a\\tb\\r\\nc\\x01\\x1f\\x7f"},
      {"\xff\xc3(\xed\xa0\x80", "\\xff\\xc3(\\xed\\xa0\\x80"},  // not UTF-8: a lone lead, a surrogate
      {"C:\\tones\\\u03a988.5", "C:\\tones\\\u03a988.5"},
      {std::string(40, '8'), std::string(40, '8')},
      {std::string(3'000'000, '8'), std::string(40, '8') + "…"},
      {times(41, "\u00e9"), times(40, "\u00e9") + "…"},  // characters, not bytes
      {times(41, "\x7f"), times(40, "\\x7f") + "…"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    CKovDoc document;
    LoadChannels(document);
    const std::string csv = kShortHeader + "5,146.52,,\"" + c.cell + "\",\n";
    EXPECT_EQ(DescribeCsvRefusals(ImportChannelsCsv(document, csv, false).refusals),
              "Nothing was imported: 1 problem in the file.\nLine 2, Rx Tone: \"" + c.shown + "\" — " +
                  kUnknownToneText);
  }
}

TEST(ChannelCsv, ExportWritesTheHeaderThenEachChannelInUse) {
  CKovDoc document;
  LoadChannels(document);
  EXPECT_EQ(ExportChannelsCsv(document.Channels()),
            kHeader + "1,146.52000,146.52000,88.5,D023N,Wide,Yes,High,DTMF,ON,Close\r\n"
                      "2,145.50000,,D754I,OFF,Narrow,No,Low,FleetSync,OFF,Carrier\r\n");
}

TEST(ChannelCsv, OutcomesNameTheChannelsInRuns) {
  const struct {
    std::vector<int> channels;
    bool replaceAll;
    const char* text;
  } cases[] = {
      {{1, 2, 3, 4, 5, 9, 12, 13, 14}, false, "Imported 9 channels (1-5, 9, 12-14) from radio.csv"},
      {{7, 8}, false, "Imported 2 channels (7-8) from radio.csv"},
      {{128}, true, "Imported 1 channel (128) from radio.csv and emptied the others"},
      {{}, false, "Imported 0 channels from radio.csv"},
  };
  for (const auto& c : cases) EXPECT_EQ(DescribeCsvImport(c.channels, "radio.csv", c.replaceAll), c.text);
  EXPECT_EQ(DescribeCsvExport(30, "radio.csv"), "Exported 30 channels to radio.csv");
}

// The rows in use, each given the texts of the next one in use.
void ShuffleChannelsInUse(ChannelTable& channels) {
  std::vector<int> inUse;
  for (int row = 1; row <= ChannelTable::kRows; ++row) {
    if (channels.HasFrequency(row)) inUse.push_back(row);
  }
  const ChannelTexts first = channels.Row(inUse.front());
  for (std::size_t i = 0; i + 1 < inUse.size(); ++i) channels.SetRow(inUse[i], channels.Row(inUse[i + 1]));
  channels.SetRow(inUse.back(), first);
}

TEST(ChannelCsv, ExportedChannelsImportBackUnchanged) {
  for (const unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    const MemoryImage image = test::ChannelListImage(seed);
    CKovDoc exported;
    exported.Image() = image;
    exported.FillFromImage();
    const std::string csv = ExportChannelsCsv(exported.Channels());

    // Into the file it came from, after every channel in it was changed.
    CKovDoc edited;
    edited.Image() = image;
    edited.FillFromImage();
    ShuffleChannelsInUse(edited.Channels());
    const CsvImportOutcome back = ImportChannelsCsv(edited, csv, false);
    ASSERT_TRUE(back.Applied()) << DescribeCsvRefusals(back.refusals);
    EXPECT_EQ(back.channels, ChannelsInUse(exported.Channels()));
    edited.CollectIntoImage();
    EXPECT_EQ(edited.Image(), image);

    // In place of a New document's channels.
    CKovDoc fresh;
    fresh.OnNewDocument();
    fresh.FillFromImage();
    const CsvImportOutcome replaced = ImportChannelsCsv(fresh, csv, true);
    ASSERT_TRUE(replaced.Applied()) << DescribeCsvRefusals(replaced.refusals);
    test::ExpectChannels(fresh.Channels(), exported.Channels());
  }
}

}  // namespace
}  // namespace korvel
