#include "frequency_check.h"

#include <algorithm>

#include "channel_record.h"
#include "settings_block.h"
#include "text_compare.h"

namespace korvel {
namespace {

constexpr std::uint32_t kStep6k25 = 625;  // 10 Hz units
constexpr std::uint32_t kStep5k = 500;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == '.' || c == ','; }

}  // namespace

bool IsFrequencyTyping(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || IsSeparator(c); }) &&
         std::count_if(text.begin(), text.end(), IsSeparator) <= 1;
}

std::optional<std::string> DecimalFrequencyText(std::string_view text) {
  if (!IsFrequencyTyping(text) || std::none_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
  std::string decimal(text);
  std::replace(decimal.begin(), decimal.end(), ',', '.');
  return decimal;
}

std::string FrequencyReading::Refusal() const {
  switch (fault) {
    case Fault::Format: return kFormatErrorText;
    case Fault::Step: return kStepErrorText;
    case Fault::None: break;
  }
  return {};
}

FrequencyReading ReadFrequency(std::string_view text) {
  FrequencyReading reading;
  if (text.empty()) return reading;
  const std::optional<std::string> decimal = DecimalFrequencyText(TrimBlanks(text));
  if (!decimal) {
    reading.fault = FrequencyReading::Fault::Format;
    return reading;
  }
  // Too large for 32 bits gives 0: below the range.
  const std::uint32_t units = FrequencyTextToUnits(*decimal);
  if (!IsInFormatRange(units)) {
    reading.fault = FrequencyReading::Fault::Format;
    return reading;
  }
  reading.units = units;
  reading.text = FormatFrequency(units);
  if (!IsOnChannelStep(units)) reading.fault = FrequencyReading::Fault::Step;
  return reading;
}

bool IsOutsideBand(std::uint32_t units, int band) {
  if (band < 0 || band >= settings::kBandCount) return false;
  const settings::BandLimits& limits = settings::kBandLimits[static_cast<std::size_t>(band)];
  return units < limits.lowest || units > limits.highest;
}

bool IsInFormatRange(std::uint32_t units) {
  return units >= settings::kFormatRange.lowest && units <= settings::kFormatRange.highest;
}

bool IsOnChannelStep(std::uint32_t units) { return units % kStep6k25 == 0 || units % kStep5k == 0; }

void TellOutOfRange(Prompter& prompter) {
  prompter.Ask(Prompt{kOutOfRangeText, Buttons::Ok, kOutOfRangeCaption, Icon::Information});
}

std::optional<std::string> CheckFrequency(std::string_view text, int band, Prompter& prompter) {
  const FrequencyReading reading = ReadFrequency(text);
  if (reading.fault == FrequencyReading::Fault::Format) {
    prompter.Tell(kFormatErrorText);
    return std::nullopt;
  }
  // Outside the band is only a notice; it comes before a step fault's message.
  if (!reading.text.empty() && IsOutsideBand(reading.units, band)) TellOutOfRange(prompter);
  if (!reading.Accepted()) {
    prompter.Tell(reading.Refusal());
    return std::nullopt;
  }
  return reading.text;
}

}  // namespace korvel
