// The commit rules of the working copy: a row's first and last frequency,
// refused and kept frequencies and tones, options on empty rows, and what a
// row in use shows being what a collection stores.

#include "model/channel_edits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/frequency_check.h"
#include "sample_channels.h"
#include "scripted_prompter.h"

namespace korvel {
namespace {

using namespace test;  // the sample rows and the recording prompter

enum class Commit { Frequency, Tone, Option };

struct CommitCase {
  const char* name;
  Texts before;
  Commit commit;
  int column;
  const char* text;
  Texts after;
  std::vector<std::string> messages;
  bool refused = false;
};

const Texts kNewRow = NewRow("146.52000", "146.52000");
// A transmit-only row with empty cells no commit leaves behind.
const Texts kTransmitOnly = {"", "145.00000", "OFF", "", "Narrow", "No", "Low", "", "OFF", "QT/DQT"};
const Texts kStoredTransmitOnly = {"", "145.00000", "OFF", "OFF", "Narrow", "No", "Low", "None", "OFF", "QT/DQT"};
constexpr bool kRefused = true;

// The band of every case is "136 - 174MHz".
const CommitCase kCommitCases[] = {
    {"first receive frequency brings the new-row texts and transmits too", kEmpty, Commit::Frequency, 1, "146.52",
     kNewRow, {}},
    {"first transmit frequency is not copied to receive", kEmpty, Commit::Frequency, 2, "145.5",
     NewRow("", "145.50000"), {}},
    {"a later receive frequency fills empty cells with what is stored", kTransmitOnly, Commit::Frequency, 1, "146",
     {"146.00000", "145.00000", "OFF", "OFF", "Narrow", "No", "Low", "None", "OFF", "QT/DQT"}, {}},
    {"a refused frequency on a filled row changes nothing", kToned, Commit::Frequency, 1, "146.523", kToned,
     {kStepErrorText}, kRefused},
    {"a refused transmit frequency keeps the last frequency's row", kStoredTransmitOnly, Commit::Frequency, 2,
     "145.003", kStoredTransmitOnly, {kStepErrorText}, kRefused},
    {"a refused frequency leaves a new row empty", kEmpty, Commit::Frequency, 1, "66.99999", kEmpty,
     {kFormatErrorText}, kRefused},
    {"a frequency outside the band is kept", kEmpty, Commit::Frequency, 1, "450", NewRow("450.00000", "450.00000"),
     {kOutOfRangeText}},
    {"clearing the receive frequency turns its tone off", kToned, Commit::Frequency, 1, "",
     {"", "146.52000", "OFF", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close"}, {}},
    {"clearing the last frequency empties the whole row", kTransmitOnly, Commit::Frequency, 2, "", kEmpty, {}},
    {"a tone takes the table's own name", kNewRow, Commit::Tone, 3, "d754i",
     {"146.52000", "146.52000", "D754I", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"}, {}},
    {"a tone's beginning names no tone", kToned, Commit::Tone, 4, "88", kToned, {}, kRefused},
    {"a tone in a row without frequency stays empty", kEmpty, Commit::Tone, 3, "88.5", kEmpty, {}},
    {"an option is taken as it is", kNewRow, Commit::Option, 8, "FleetSync",
     {"146.52000", "146.52000", "OFF", "OFF", "Wide", "Yes", "High", "FleetSync", "ON", "Close"}, {}},
    {"an option in a row without frequency stays empty", kEmpty, Commit::Option, 7, "Low", kEmpty, {}},
};

TEST(ChannelEdits, CommitsKeepEveryRowConsistent) {
  for (const CommitCase& c : kCommitCases) {
    SCOPED_TRACE(c.name);
    ChannelTable channels;
    channels.SetType({.band = 1});
    constexpr int kRow = 7;
    channels.SetRow(kRow, {c.before});
    MemoryImage before{};
    channels.Collect(before);
    ScriptedPrompter prompter;
    bool taken = true;
    switch (c.commit) {
      case Commit::Frequency:
        taken = CommitFrequency(channels, kRow, c.column, c.text, prompter).has_value();
        break;
      case Commit::Tone: taken = CommitTone(channels, kRow, c.column, c.text); break;
      case Commit::Option: CommitOption(channels, kRow, c.column, c.text); break;
    }
    EXPECT_EQ(channels.Row(kRow).text, c.after);
    EXPECT_EQ(prompter.Texts(), c.messages);
    EXPECT_EQ(taken, !c.refused);
    EXPECT_TRUE(channels.Row(kRow - 1).AllEmpty());
    EXPECT_TRUE(channels.Row(kRow + 1).AllEmpty());

    MemoryImage after{};
    channels.Collect(after);
    if (c.refused) {
      EXPECT_EQ(after, before);
    }
    // What the row shows is what a file saved now opens with.
    EXPECT_EQ(DecodeChannel(ChannelRecordOf(after, kRow)).text, channels.Row(kRow).text);
  }
}

TEST(ChannelEdits, TheBandOfTheBarValuesDecidesOutOfRange) {
  ChannelTable channels;
  ScriptedPrompter prompter;
  channels.SetType({.band = 6});  // "450 - 470MHz"
  EXPECT_EQ(CommitFrequency(channels, 1, 1, "450", prompter), "450.00000");
  EXPECT_TRUE(prompter.asked.empty());
  channels.SetType({.band = 1});  // a new band checks only what comes next
  EXPECT_EQ(channels.Cell(1, 1), "450.00000");  // (band 1 refuses 450: the table above)
}

}  // namespace
}  // namespace korvel
