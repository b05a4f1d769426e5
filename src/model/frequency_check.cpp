#include "frequency_check.h"

#include "channel_record.h"
#include "settings_block.h"

namespace korvel {
namespace {

constexpr std::uint32_t kStep6k25 = 625;  // 10 Hz units
constexpr std::uint32_t kStep5k = 500;

}  // namespace

std::string CheckFrequency(std::string_view text, int band, Prompter& prompter) {
  if (text.empty()) return {};
  // Negative, unreadable or too large for 32 bits gives 0: below the range.
  const std::uint32_t units = FrequencyTextToUnits(text);
  if (units < settings::kFormatRange.lowest || units > settings::kFormatRange.highest) {
    prompter.Tell(kFormatErrorText);
    return {};
  }
  std::string formatted = FormatFrequency(units);
  if (band >= 0 && band < settings::kBandCount) {
    const settings::BandLimits& limits = settings::kBandLimits[static_cast<std::size_t>(band)];
    if (units < limits.lowest || units > limits.highest) {
      prompter.Ask(Prompt{kOutOfRangeText, Buttons::Ok, kOutOfRangeCaption, Icon::Information});
    }
  }
  if (units % kStep6k25 != 0 && units % kStep5k != 0) {
    prompter.Tell(kStepErrorText);
    return {};
  }
  return formatted;
}

}  // namespace korvel
