#pragma once
// Validation of a frequency typed for a channel: the format range, the
// band chosen in the type settings bar and the channel step.

#include <string>
#include <string_view>

#include "prompter.h"

namespace korvel {

inline constexpr const char* kFormatErrorText = "Error Data Format，Please input again";
inline constexpr const char* kOutOfRangeText = "Out of range!";
inline constexpr const char* kOutOfRangeCaption = "Prompt";
inline constexpr const char* kStepErrorText =
    "Error data Value，Please input according the step value(6.25K/5k)";

// Returns the text the cell takes: empty stays empty; a number outside 67 to
// 521 MHz or off the 6.25 / 5 kHz step is reported and dropped (empty); one
// outside the band is reported and kept. A kept text is the frequency in the
// "%3.5f" form of the units checked, so the cell holds exactly what passed.
std::string CheckFrequency(std::string_view text, int band, Prompter& prompter);

}  // namespace korvel
