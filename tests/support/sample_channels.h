#pragma once
// Channel texts several suites start from, as the grid shows them: a toned
// channel, a receive-only one, an empty one and a new one.

#include <array>
#include <string>

#include "model/channel_record.h"

namespace korvel::test {

using Texts = std::array<std::string, kChannelFieldCount>;

inline const Texts kToned = {"146.52000", "146.52000", "88.5", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close"};
inline const Texts kReceiveOnly = {"145.50000", "", "D754I", "OFF", "Narrow", "No", "Low", "FleetSync", "OFF", "Carrier"};
inline const Texts kEmpty{};

// A channel as its first frequency leaves it: the new-row options, no tones.
inline Texts NewRow(const std::string& rx, const std::string& tx) {
  return {rx, tx, "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"};
}

}  // namespace korvel::test
