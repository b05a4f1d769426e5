#pragma once
// The numbers a test exchange sends: frequencies as eight BCD digits of
// 10 Hz units, tones as four BCD digits of 0.1 Hz (DCS codes as the memory
// image codes them), each least significant pair first; and the frequency
// and parameter blocks built from them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/radio_frames.h"

namespace korvel {

using TestBlock = std::array<std::uint8_t, frames::kTestBlockSize>;

// The text read as a decimal number of MHz from its start (as atof; no
// number is 0), times 100000, rounded. Not finite values give nullopt.
std::optional<long long> TestFrequencyUnits(std::string_view text);

// Four bytes for the frequency text; nullopt when its value does not fit
// eight digits (negative, or 1000 MHz and more).
std::optional<std::array<std::uint8_t, 4>> EncodeTestFrequency(std::string_view text);

// Two bytes for the tone text: a DCS name of the tone table as the memory
// image codes it, low byte first ("D023N" gives 23 80); otherwise the
// leading number of Hz times ten, truncated ("88.5" gives 85 08, "OFF"
// 00 00). nullopt when that number does not fit four digits.
std::optional<std::array<std::uint8_t, 2>> EncodeTestTone(std::string_view text);

struct TestBlocks {
  TestBlock frequency{};
  TestBlock parameter{};
};

// The frequency block (receive, transmit) and the parameter block (receive
// tone, transmit tone, FB 01 01, value). When a field can't be sent,
// *refusal names it and says why, and nullopt comes back.
std::optional<TestBlocks> BuildTestBlocks(std::string_view rxFrequency, std::string_view txFrequency,
                                          std::string_view rxTone, std::string_view txTone,
                                          std::uint8_t value, std::string* refusal);

}  // namespace korvel
