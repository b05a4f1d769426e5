#pragma once
// Validation of a frequency typed for a channel: its form, the format range,
// the band chosen in the type settings bar and the channel step.

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

// The text the cell takes, or nullopt for a refused text (reported through
// prompter). Empty stays empty. A frequency is megahertz written as digits
// with one '.' or ',' as the decimal point, blanks around it allowed;
// anything else, or a number outside 67 to 521 MHz, is a format error; one
// off the 6.25 / 5 kHz step is a step error; one outside the band is
// reported and kept. A kept text is the frequency in the "%3.5f" form of the
// units checked, so the cell holds exactly what passed.
std::optional<std::string> CheckFrequency(std::string_view text, int band, Prompter& prompter);

}  // namespace korvel
