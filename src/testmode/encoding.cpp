#include "testmode/encoding.h"

#include <cmath>

#include "model/channel_record.h"
#include "model/tone_table.h"

namespace korvel {
namespace {

constexpr long long kMaxFrequencyUnits = 99'999'999;  // eight digits
constexpr long kMaxToneTenths = 9'999;                // four digits

std::uint8_t BcdPair(long long value) {
  return static_cast<std::uint8_t>((value / 10 % 10) << 4 | (value % 10));
}

}  // namespace

std::optional<long long> TestFrequencyUnits(std::string_view text) {
  const double units = std::round(ParseDecimal(text) * 100000.0);
  // Far outside any radio's range; only the bound matters to the callers.
  if (!std::isfinite(units) || std::fabs(units) > 1e15) return std::nullopt;
  return static_cast<long long>(units);
}

std::optional<std::array<std::uint8_t, 4>> EncodeTestFrequency(std::string_view text) {
  const std::optional<long long> units = TestFrequencyUnits(text);
  if (!units || *units < 0 || *units > kMaxFrequencyUnits) return std::nullopt;
  const long long n = *units;
  return std::array<std::uint8_t, 4>{BcdPair(n), BcdPair(n / 100), BcdPair(n / 10'000), BcdPair(n / 1'000'000)};
}

std::optional<std::array<std::uint8_t, 2>> EncodeTestTone(std::string_view text) {
  const ToneTable& tones = ToneTable::Instance();
  if (const std::optional<int> index = tones.IndexOf(text); index && *index >= ToneTable::kFirstDcsNormal) {
    const ToneCode code = tones.Code(*index);
    return std::array<std::uint8_t, 2>{code.low, code.high};
  }
  const double tenths = std::trunc(ParseDecimal(text) * 10.0);
  if (!std::isfinite(tenths) || tenths < 0 || tenths > kMaxToneTenths) return std::nullopt;
  const long t = static_cast<long>(tenths);
  return std::array<std::uint8_t, 2>{BcdPair(t), BcdPair(t / 100)};
}

std::optional<TestBlocks> BuildTestBlocks(std::string_view rxFrequency, std::string_view txFrequency,
                                          std::string_view rxTone, std::string_view txTone,
                                          std::uint8_t value, std::string* refusal) {
  const auto refuse = [&](const char* field, std::string_view text, const char* why) {
    *refusal = std::string("The ") + field + " \"" + std::string(text) + "\" cannot be sent: " + why;
    return std::nullopt;
  };
  constexpr const char* kFrequencyRange = "it must be from 0 to 999.99999 MHz.";
  constexpr const char* kToneRange = "it must be a tone of the tone list.";
  const auto rx = EncodeTestFrequency(rxFrequency);
  if (!rx) return refuse("receive frequency", rxFrequency, kFrequencyRange);
  const auto tx = EncodeTestFrequency(txFrequency);
  if (!tx) return refuse("transmit frequency", txFrequency, kFrequencyRange);
  const auto rxCode = EncodeTestTone(rxTone);
  if (!rxCode) return refuse("receive tone", rxTone, kToneRange);
  const auto txCode = EncodeTestTone(txTone);
  if (!txCode) return refuse("transmit tone", txTone, kToneRange);

  TestBlocks blocks;
  blocks.frequency = {(*rx)[0], (*rx)[1], (*rx)[2], (*rx)[3], (*tx)[0], (*tx)[1], (*tx)[2], (*tx)[3]};
  const auto& fixed = frames::kTestParameterFixed;
  blocks.parameter = {(*rxCode)[0], (*rxCode)[1], (*txCode)[0], (*txCode)[1], fixed[0], fixed[1], fixed[2], value};
  return blocks;
}

}  // namespace korvel
