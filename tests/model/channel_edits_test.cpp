// The commit rules of the working copy: a row's first and last frequency,
// dropped and kept frequencies, tone names and options on empty rows.

#include "model/channel_edits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/frequency_check.h"
#include "scripted_prompter.h"

namespace korvel {
namespace {

using test::ScriptedPrompter;
using Texts = std::array<std::string, kChannelFieldCount>;

enum class Commit { Frequency, Tone, Option };

struct CommitCase {
  const char* name;
  Texts before;
  Commit commit;
  int column;
  const char* text;
  Texts after;
  std::vector<std::string> messages;
};

const Texts kEmpty{};
const Texts kNewRow = {"146.52000", "146.52000", "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"};
const Texts kToned = {"146.52000", "146.52000", "88.5", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close"};
const Texts kTransmitOnly = {"", "145.00000", "OFF", "OFF", "Narrow", "No", "Low", "", "OFF", "QT/DQT"};

// The band of every case is "136 - 174MHz".
const CommitCase kCases[] = {
    {"first receive frequency brings the new-row texts and transmits too", kEmpty, Commit::Frequency, 1,
     "146.52", kNewRow, {}},
    {"first transmit frequency is not copied to receive", kEmpty, Commit::Frequency, 2, "145.5",
     {"", "145.50000", "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"}, {}},
    {"a later receive frequency changes nothing else", kTransmitOnly, Commit::Frequency, 1, "146",
     {"146.00000", "145.00000", "OFF", "OFF", "Narrow", "No", "Low", "", "OFF", "QT/DQT"}, {}},
    {"a frequency off the step is dropped and the row stays new", kEmpty, Commit::Frequency, 1, "145.003",
     kEmpty, {kStepErrorText}},
    {"a frequency outside the format is dropped", kEmpty, Commit::Frequency, 1, "66.99999", kEmpty,
     {kFormatErrorText}},
    {"a frequency outside the band is kept", kEmpty, Commit::Frequency, 1, "450",
     {"450.00000", "450.00000", "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"},
     {kOutOfRangeText}},
    {"clearing the receive frequency clears the receive tone only", kToned, Commit::Frequency, 1, "",
     {"", "146.52000", "", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close"}, {}},
    {"a dropped transmit frequency takes the transmit tone along", kToned, Commit::Frequency, 2, "145.003",
     {"146.52000", "", "88.5", "", "Wide", "Yes", "High", "DTMF", "ON", "Close"}, {kStepErrorText}},
    {"clearing the last frequency empties the whole row", kTransmitOnly, Commit::Frequency, 2, "", kEmpty,
     {}},
    {"a tone takes the table's own name", kNewRow, Commit::Tone, 3, "d754i",
     {"146.52000", "146.52000", "D754I", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"}, {}},
    {"a text naming no tone is no tone", kToned, Commit::Tone, 4, "123.4",
     {"146.52000", "146.52000", "88.5", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"}, {}},
    {"a tone in a row without frequency stays empty", kEmpty, Commit::Tone, 3, "88.5", kEmpty, {}},
    {"an option is taken as it is", kNewRow, Commit::Option, 8, "FleetSync",
     {"146.52000", "146.52000", "OFF", "OFF", "Wide", "Yes", "High", "FleetSync", "ON", "Close"}, {}},
    {"an option in a row without frequency stays empty", kEmpty, Commit::Option, 7, "Low", kEmpty, {}},
};

TEST(ChannelEdits, CommitsKeepEveryRowConsistent) {
  for (const CommitCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ChannelTable channels;
    channels.SetType({.band = 1});
    constexpr int kRow = 7;
    channels.SetRow(kRow, {c.before});
    ScriptedPrompter prompter;
    switch (c.commit) {
      case Commit::Frequency: CommitFrequency(channels, kRow, c.column, c.text, prompter); break;
      case Commit::Tone: CommitTone(channels, kRow, c.column, c.text); break;
      case Commit::Option: CommitOption(channels, kRow, c.column, c.text); break;
    }
    EXPECT_EQ(channels.Row(kRow).text, c.after);
    EXPECT_EQ(prompter.Texts(), c.messages);
    EXPECT_TRUE(channels.Row(kRow - 1).AllEmpty());
    EXPECT_TRUE(channels.Row(kRow + 1).AllEmpty());
  }
}

TEST(ChannelEdits, TheBandOfTheBarValuesDecidesOutOfRange) {
  ChannelTable channels;
  ScriptedPrompter prompter;
  channels.SetType({.band = 6});  // "450 - 470MHz"
  EXPECT_EQ(CommitFrequency(channels, 1, 1, "450", prompter), "450.00000");
  EXPECT_TRUE(prompter.asked.empty());
  channels.SetType({.band = 1});  // a new band checks only what comes next
  EXPECT_EQ(channels.Cell(1, 1), "450.00000");
  CommitFrequency(channels, 2, 1, "450", prompter);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kOutOfRangeText});
}

}  // namespace
}  // namespace korvel
