#pragma once
// Validation of a frequency typed for a channel: its form, the format range,
// the band chosen in the type settings bar and the channel step.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "prompter.h"

namespace korvel {

inline constexpr const char* kFormatErrorText = "Error Data Format，Please input again";
inline constexpr const char* kOutOfRangeText = "Out of range!";
inline constexpr const char* kOutOfRangeCaption = "Prompt";
inline constexpr const char* kStepErrorText =
    "Error data Value，Please input according the step value(6.25K/5k)";

// Whether text is digits with at most one decimal separator ('.' or ','),
// nothing else: what a frequency may be typed as (empty included).
bool IsFrequencyTyping(std::string_view text);

// The frequency box's reading of a text: digits with at most one decimal
// separator and at least one digit, a comma counting as the point (the
// decimal point of many keyboards). The same number with '.' as its point
// ("146,52" gives "146.52"); nullopt for any other text, blanks included.
std::optional<std::string> DecimalFrequencyText(std::string_view text);

// A frequency text read without asking anyone: what typing and pasting
// share.
struct FrequencyReading {
  enum class Fault { None, Format, Step };
  std::string text;        // the "%3.5f" form of the number; empty for an empty text
  std::uint32_t units = 0;  // 10 Hz units; 0 for an empty text or a format fault
  Fault fault = Fault::None;

  bool Accepted() const { return fault == Fault::None; }
  // kFormatErrorText or kStepErrorText; empty when accepted.
  std::string Refusal() const;
};

// Empty stays empty. A frequency is megahertz written as digits with one '.'
// or ',' as the decimal point, blanks around it allowed; anything else, or a
// number outside 67 to 521 MHz, is a format fault; one off the 6.25 / 5 kHz
// step is a step fault. The band is not looked at.
FrequencyReading ReadFrequency(std::string_view text);

// Whether the frequency lies outside band's limits (an unknown band has none).
bool IsOutsideBand(std::uint32_t units, int band);
// Whether the frequency (10 Hz units) is within 67 to 521 MHz, and on the
// radio's channel step: a multiple of 6.25 kHz or of 5 kHz.
bool IsInFormatRange(std::uint32_t units);
bool IsOnChannelStep(std::uint32_t units);
// The notice of a frequency outside the chosen band; the frequency is kept.
void TellOutOfRange(Prompter& prompter);

// Typing's check: ReadFrequency, its fault told through prompter (nullopt:
// refused), and a frequency outside the band told and kept. A kept text is
// the frequency in the "%3.5f" form of the units checked, so the cell holds
// exactly what passed.
std::optional<std::string> CheckFrequency(std::string_view text, int band, Prompter& prompter);

}  // namespace korvel
