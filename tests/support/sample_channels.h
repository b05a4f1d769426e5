#pragma once
// Channel texts several suites start from, as the grid shows them: a toned
// channel, a receive-only one, an empty one and a new one.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "model/channel_record.h"
#include "model/channel_table.h"

namespace korvel::test {

using Texts = std::array<std::string, kChannelFieldCount>;

inline const Texts kToned = {"146.52000", "146.52000", "88.5", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close"};
inline const Texts kReceiveOnly = {"145.50000", "", "D754I", "OFF", "Narrow", "No", "Low", "FleetSync", "OFF", "Carrier"};
inline const Texts kEmpty{};

// A channel as its first frequency leaves it: the new-row options, no tones.
inline Texts NewRow(const std::string& rx, const std::string& tx) {
  return {rx, tx, "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"};
}

// Channels 1..count in use as their first frequency leaves them, receive
// frequencies falling from 145.98750 MHz in 12.5 kHz steps, receive-only.
inline void SetFallingChannels(ChannelTable& channels, int count) {
  for (int row = 1; row <= count; ++row)
    channels.SetRow(row, {NewRow(FormatFrequency(14600000u - static_cast<std::uint32_t>(row) * 1250u), "")});
}

// Every channel of after holds the texts it has in before, but for the
// channels listed, which hold the texts given.
inline void ExpectChannels(const ChannelTable& after, const ChannelTable& before,
                           const std::vector<std::pair<int, Texts>>& changed = {}) {
  for (int row = 1; row <= ChannelTable::kRows; ++row) {
    SCOPED_TRACE(row);
    Texts expected = before.Row(row).text;
    for (const auto& [at, texts] : changed)
      if (at == row) expected = texts;
    EXPECT_EQ(after.Row(row).text, expected);
  }
}

}  // namespace korvel::test
