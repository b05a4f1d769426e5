#pragma once
// The radio-wide settings at image offsets 0x800..0x83F: named offsets and
// masks, the list texts of the fields, and the radio text encoding.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "memory_image.h"

namespace korvel::settings {

// Offsets in the memory image.
inline constexpr std::size_t kFrequencyField = 0x80A;  // 0xEE + band index
inline constexpr std::size_t kModel = 0x80B;           // 0x38 + model index
inline constexpr std::size_t kTransmitFlags = 0x810;
inline constexpr std::size_t kFixedA8 = 0x811;         // written 0xA8 at every bar store
inline constexpr std::size_t kFunctionFlags = 0x812;
inline constexpr std::size_t kSquelchLevel = 0x813;    // 0..9
inline constexpr std::size_t kTimeOutTimer = 0x814;    // 0..9, x 30 s, 0 = off
inline constexpr std::size_t kVoxGain = 0x815;         // 0..10, 0 = off
inline constexpr std::size_t kVoxDelay = 0x816;        // index into kVoxDelayTexts
inline constexpr std::size_t kFixed4 = 0x817;          // written 4 by the features OK
inline constexpr std::size_t kFixed0 = 0x818;          // written 0 by the features OK
inline constexpr std::size_t kTxPowerRank = 0x819;     // 0..9
inline constexpr std::size_t kClearedA = 0x81A;        // set 0 by New
inline constexpr std::size_t kRadioType = 0x81B;       // compared with the ident reply
inline constexpr std::size_t kClearedB = 0x81D;        // set 0 by New
inline constexpr std::size_t kAniCode = 0x820;         // radio text, 16 bytes
inline constexpr std::size_t kRadioName = 0x830;       // radio text, 16 bytes
inline constexpr std::size_t kRadioTextLength = 16;

inline constexpr std::uint8_t kFrequencyFieldBase = 0xEE;
inline constexpr std::uint8_t kModelBase = 0x38;
inline constexpr std::uint8_t kFixedA8Value = 0xA8;
inline constexpr std::uint8_t kFixed4Value = 4;
inline constexpr std::uint8_t kFixed0Value = 0;

// Transmit flags, 0x810.
inline constexpr std::uint8_t kVoxFunctionBit = 0x80;
inline constexpr std::uint8_t kVoxInhibitBit = 0x40;
inline constexpr std::uint8_t kPttIdBeginBit = 0x20;
inline constexpr std::uint8_t kPttIdEndBit = 0x10;

// Function flags, 0x812.
inline constexpr std::uint8_t kManualOpenBit = 0x80;
inline constexpr std::uint8_t kBeepBit = 0x40;
inline constexpr std::uint8_t kScramblerBit = 0x10;
inline constexpr std::uint8_t kBatterySaveBit = 0x04;
inline constexpr std::uint8_t kLanguageOnBit = 0x02;
inline constexpr std::uint8_t kLanguageChineseBit = 0x01;

// List texts, in list order.
inline constexpr int kBandCount = 10;
inline constexpr std::array<std::string_view, kBandCount> kBandTexts = {
    "  67 - 72MHz", "136 - 174MHz", "240 - 260MHz", "350 - 390MHz", "400 - 430MHz",
    "430 - 450MHz", "450 - 470MHz", "470 - 490MHz", "400 - 470MHz", "460 - 520MHz"};
inline constexpr int kModelCount = 3;
inline constexpr std::array<std::string_view, kModelCount> kModelTexts = {"KR - 100", "KR - 200",
                                                                          "KR - 300"};
// The model a model byte or a radio type byte names (kModelBase + index);
// empty when it names none.
inline std::string_view ModelTextOf(std::uint8_t byte) {
  const int model = byte - kModelBase;
  return model >= 0 && model < kModelCount ? kModelTexts[static_cast<std::size_t>(model)] : std::string_view();
}
inline constexpr std::array<std::string_view, 2> kManualTexts = {"Open", "Close"};
inline constexpr int kTxPowerRankCount = 10;  // "0" .. "9"
inline constexpr std::array<std::string_view, 6> kVoxDelayTexts = {"0.3", "0.5", "1.0",
                                                                   "1.5", "2.0", "3.0"};
inline constexpr std::array<std::string_view, 3> kLanguageTexts = {"Chinese", "English", "Off"};
inline constexpr std::array<std::string_view, 10> kSquelchTexts = {"0", "1", "2", "3", "4",
                                                                   "5", "6", "7", "8", "9"};
inline constexpr std::array<std::string_view, 11> kVoxGainTexts = {"OFF", "1", "2", "3", "4", "5",
                                                                   "6",   "7", "8", "9", "10"};
// The time-out timer's values in seconds, 0 = off.
inline constexpr std::array<std::string_view, 10> kTimeOutTimerTexts = {
    "OFF", "30", "60", "90", "120", "150", "180", "210", "240", "270"};

// The index of the item that text names, letters compared without regard to
// case; nothing when it names none.
std::optional<int> FindListItem(std::span<const std::string_view> items, std::string_view text);

// Band limits in 10 Hz units, both ends included, by band index.
struct BandLimits {
  std::uint32_t lowest;
  std::uint32_t highest;
};
inline constexpr std::array<BandLimits, kBandCount> kBandLimits = {{{6700000, 7200000},
                                                                    {13600000, 17400000},
                                                                    {24000000, 26000000},
                                                                    {35000000, 39000000},
                                                                    {40000000, 43000000},
                                                                    {43000000, 45000000},
                                                                    {45000000, 47000000},
                                                                    {47000000, 49000000},
                                                                    {40000000, 47000000},
                                                                    {46000000, 52000000}}};
// Format range of every frequency, whatever the band.
inline constexpr BandLimits kFormatRange = {6700000, 52100000};

// Sets or clears the bits of mask in the byte at offset, leaving the others.
inline void SetBits(MemoryImage& image, std::size_t offset, std::uint8_t mask, bool on) {
  image[offset] = on ? static_cast<std::uint8_t>(image[offset] | mask)
                     : static_cast<std::uint8_t>(image[offset] & ~mask);
}
inline bool TestBits(const MemoryImage& image, std::size_t offset, std::uint8_t mask) {
  return (image[offset] & mask) == mask;
}

// --- radio texts (ANI code and radio name) ---

enum class RadioTextKind { AniCode, RadioName };

// The text as the optional features dialog reads it from a 16-byte field:
// characters outside the field's set are skipped, see the .cpp.
std::string ReadRadioText(const MemoryImage& image, RadioTextKind kind);
// Stores text into the 16-byte field: letters upper case, other characters
// as '0', 0xFF after the end of the text.
void WriteRadioText(MemoryImage& image, RadioTextKind kind, std::string_view text);

// How many characters the field takes and what it is called on screen.
std::size_t RadioTextLimit(RadioTextKind kind);
std::string_view RadioTextName(RadioTextKind kind);
// Whether c may be entered into the field: digits and the field's letters,
// either case ("0"-"9" and "A"-"F" for the ANI code, "A"-"Z" for the name).
bool RadioTextAccepts(RadioTextKind kind, char c);
// Why text cannot be stored into the field, worded for the user: a character
// the field does not take, or more characters than its limit. Empty when it
// can.
std::string RadioTextProblem(RadioTextKind kind, std::string_view text);

}  // namespace korvel::settings
