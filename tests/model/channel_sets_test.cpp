// Standard channel sets and series: their frequencies, the channels an
// insert leaves, the band notice, and the refusals that change nothing.

#include "model/channel_sets.h"

#include <gtest/gtest.h>

#include "model/frequency_check.h"
#include "sample_channels.h"
#include "scripted_prompter.h"
#include "test_files.h"

namespace korvel {
namespace {

bool OnRaster(std::uint32_t units) { return units % 625 == 0 || units % 500 == 0; }

TEST(ChannelSets, StandardSetsHoldTheirChannels) {
  struct Case {
    const char* name;
    std::size_t count;
    std::vector<std::pair<std::size_t, std::uint32_t>> receive;  // channel (from 1), 10 Hz units
  };
  const Case cases[] = {
      {"pmr446", 16, {{1, 44600625}, {2, 44601875}, {16, 44619375}}},
      {"FRS", 22, {{1, 46256250}, {7, 46271250}, {8, 46756250}, {14, 46771250}, {15, 46255000}, {22, 46272500}}},
      {"Lpd433", 69, {{1, 43307500}, {2, 43310000}, {69, 43477500}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ChannelSet* set = StandardChannelSet(c.name);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->channels.size(), c.count);
    for (const auto& [channel, units] : c.receive) EXPECT_EQ(set->channels[channel - 1].receive, units) << channel;
    EXPECT_TRUE(set->narrow);
    for (const SetChannel& channel : set->channels) {
      EXPECT_EQ(channel.transmit, channel.receive);
      EXPECT_TRUE(OnRaster(channel.receive)) << channel.receive;
    }
  }
}

TEST(ChannelSets, SeriesFromTheirFieldsOrWhyNot) {
  const struct {
    const char *start, *step, *count, *offset;
    std::vector<SetChannel> firstAndLast;  // the first and last channel made
    std::string refusal;
  } cases[] = {
      {"145.6", "12.5", "8", "-0.6", {{14560000, 14500000}, {14568750, 14508750}}, ""},
      {"430.1", "25", "3", "+7.6", {{43010000, 43770000}, {43015000, 43775000}}, ""},
      {"446,00625", "6.25", "128", "", {{44600625, 44600625}, {44680000, 44680000}}, ""},
      {"446.00625", "5", "3", "", {},
       "Channel 2 of the series would receive on 446.01125 MHz, off the 6.25 / 5 kHz step."},
      {"520.9", "25", "8", "", {}, "Channel 6 of the series would receive on 521.02500 MHz, outside 67 to 521 MHz."},
      {"67.5", "12.5", "1", "-5", {}, "Channel 1 of the series would transmit on 62.50000 MHz, outside 67 to 521 MHz."},
      {"145.003", "12.5", "2", "", {}, "The start frequency must be"},
      {"145", "7", "2", "", {}, "The step must be"},
      {"145", "0", "2", "", {}, "The step must be"},
      {"145", "12.5", "129", "", {}, "The count must be"},
      {"145", "12.5", "2", "0.6MHz", {}, "The offset must be"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + "," + c.step + "," + c.count + "," + c.offset);
    const SeriesOutcome series = MakeSeries(c.start, c.step, c.count, c.offset);
    EXPECT_EQ(series.refusal.substr(0, c.refusal.size()), c.refusal);
    if (c.refusal.empty()) {
      ASSERT_TRUE(series.set);
      EXPECT_FALSE(series.set->narrow);
      EXPECT_EQ(series.set->channels.size(), static_cast<std::size_t>(std::stoi(c.count)));
      EXPECT_EQ(series.set->channels.front(), c.firstAndLast.front());
      EXPECT_EQ(series.set->channels.back(), c.firstAndLast.back());
    } else {
      EXPECT_FALSE(series.set);
    }
  }
}

// A table of channels 1..128 over band index band: channel 45 in use.
void Load(ChannelTable& channels, int band) {
  channels.Fill(NewImage());
  channels.SetRow(45, {test::kToned});
  channels.SetType(TypeSettings{0, band, 9, 0});
}

// All or nothing: a refused insert changes no channel and asks nothing.
TEST(ChannelSets, InsertSetsChannelsAsTypingTheirFrequencyDoesOrNone) {
  const test::Texts first = {"446.00625", "446.00625", "OFF", "OFF", "Narrow", "Yes", "High", "DTMF", "ON", "Close"};
  const test::Texts toned = {"446.19375", "446.19375", "D023N", "88.5", "Narrow", "Yes", "High", "DTMF", "ON", "Close"};
  const struct {
    int band, row;
    const char *rxTone, *txTone;
    std::vector<std::pair<int, test::Texts>> rows;
    int notices;  // "Out of range!"
    std::string refusal;
  } cases[] = {
      {5, 1, "OFF", "OFF", {{1, first}, {17, {}}}, 0, ""},      // 430 - 450MHz
      {2, 29, "d023n", "88.5", {{28, {}}, {44, toned}}, 1, ""},  // 240 - 260MHz: one notice for the set
      {5, 30, "OFF", "OFF", {}, 0,
       "PMR446 needs 16 empty channels from channel 30 to 45, but channel 45 is in use. Nothing was inserted."},
      {5, 120, "OFF", "OFF", {}, 0,
       "PMR446 needs 16 empty channels from channel 120, but the last channel is 128. Nothing was inserted."},
      {5, 1, "89.9", "OFF", {}, 0, "No such tone"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    ChannelTable channels, before;
    Load(channels, c.band);
    Load(before, c.band);
    ChannelSet set = *StandardChannelSet("PMR446");
    set.rxTone = c.rxTone;
    set.txTone = c.txTone;
    test::ScriptedPrompter prompter;
    const SetInsertOutcome outcome = InsertChannelSet(channels, c.row, set, prompter);
    EXPECT_EQ(outcome.refusal.substr(0, c.refusal.size()), c.refusal);
    if (c.refusal.empty()) {
      EXPECT_EQ(outcome.first, c.row);
      EXPECT_EQ(outcome.last, c.row + 15);
      for (const auto& [row, texts] : c.rows) EXPECT_EQ(channels.Row(row).text, texts) << row;
    } else {
      test::ExpectChannels(channels, before);
    }
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>(static_cast<std::size_t>(c.notices), kOutOfRangeText));
  }
  ChannelTable channels;
  Load(channels, 5);
  EXPECT_EQ(FirstRoomFor(channels, 44), 1);
  EXPECT_EQ(FirstRoomFor(channels, 45), 46);
  EXPECT_EQ(FirstRoomFor(channels, 84), std::nullopt);
}

}  // namespace
}  // namespace korvel
