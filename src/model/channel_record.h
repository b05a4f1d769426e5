#pragma once
// The 16-byte channel record and its ten grid texts.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "memory_image.h"

namespace korvel {

// Index of each text in ChannelTexts; grid column = index + 1.
enum ChannelField : int {
  kRxFrequency = 0,
  kTxFrequency,
  kRxTone,
  kTxTone,
  kBandwidth,
  kScan,
  kTxPower,
  kOptSignal,
  kPttId,
  kBusyLock,
  kChannelFieldCount
};

// The ten texts of one channel, in the order of grid columns 1 to 10.
struct ChannelTexts {
  std::array<std::string, kChannelFieldCount> text;

  std::string& operator[](int field) { return text[static_cast<std::size_t>(field)]; }
  const std::string& operator[](int field) const { return text[static_cast<std::size_t>(field)]; }
  bool AllEmpty() const;
  bool operator==(const ChannelTexts&) const = default;
};

ChannelTexts DecodeChannel(ConstChannelRecord record);
// Writes the texts into the record in place; bits the record layout does not
// name keep their values.
void EncodeChannel(const ChannelTexts& texts, ChannelRecord record);

// --- the pieces, shared with the grid's validation and the tools ---

// Frequency in 10 Hz units from the four BCD bytes (lowest byte first);
// 0 when the highest byte is 0x00 or 0xFF (empty).
std::uint32_t DecodeFrequencyUnits(const std::uint8_t* bytes4);
// "%3.5f" megahertz text of a frequency in 10 Hz units.
std::string FormatFrequency(std::uint32_t units);
// The text read as atof does, times 1000 and then 100, rounded; values that
// do not fit an unsigned 32-bit number (negative, too large, not a number)
// give 0.
std::uint32_t FrequencyTextToUnits(std::string_view text);
// Four bytes for a frequency text; an empty or zero text gives FF FF FF FF.
void EncodeFrequency(std::string_view text, std::uint8_t* bytes4);

// Tone name for the high and low byte of a tone code. A code meaning "no
// tone" gives "OFF" when the channel is in use, else the empty text.
std::string DecodeTone(std::uint8_t high, std::uint8_t low, bool inUse);
struct ToneCode {
  std::uint8_t high;
  std::uint8_t low;
  bool operator==(const ToneCode&) const = default;
};
ToneCode EncodeTone(std::string_view text);

// The number parsing of the C library, independent of the process locale.
double ParseDecimal(std::string_view text);  // as atof
long ParseInteger(std::string_view text);    // as atol (clamped to long)

}  // namespace korvel
