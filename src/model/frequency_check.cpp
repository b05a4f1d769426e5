#include "frequency_check.h"

#include <algorithm>

#include "channel_record.h"
#include "settings_block.h"

namespace korvel {
namespace {

constexpr std::uint32_t kStep6k25 = 625;  // 10 Hz units
constexpr std::uint32_t kStep5k = 500;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == '.' || c == ','; }

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool IsFrequencyTyping(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || IsSeparator(c); }) &&
         std::count_if(text.begin(), text.end(), IsSeparator) <= 1;
}

std::optional<std::string> CheckFrequency(std::string_view text, int band, Prompter& prompter) {
  if (text.empty()) return std::string();
  const std::string_view number = TrimBlanks(text);
  if (!IsFrequencyTyping(number) || std::none_of(number.begin(), number.end(), IsDigit)) {
    prompter.Tell(kFormatErrorText);
    return std::nullopt;
  }
  // A comma is the decimal point of many keyboards.
  std::string decimal(number);
  std::replace(decimal.begin(), decimal.end(), ',', '.');
  // Too large for 32 bits gives 0: below the range.
  const std::uint32_t units = FrequencyTextToUnits(decimal);
  if (units < settings::kFormatRange.lowest || units > settings::kFormatRange.highest) {
    prompter.Tell(kFormatErrorText);
    return std::nullopt;
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
    return std::nullopt;
  }
  return formatted;
}

}  // namespace korvel
