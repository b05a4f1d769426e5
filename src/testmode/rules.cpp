#include "testmode/rules.h"

#include <cmath>

#include "model/channel_record.h"
#include "model/number_text.h"
#include "model/tone_table.h"
#include "testmode/encoding.h"

namespace korvel {

double BandBaseMhz(std::string_view bandText) { return ParseDecimal(bandText); }

std::string CheckTestFrequency(std::string_view text, double bandBaseMhz, StepSize step) {
  // Text that is no number (or no finite one) counts as 0, below the band.
  long long n = TestFrequencyUnits(text).value_or(0);
  const long long upper = std::llround((bandBaseMhz + 20) * 100000);
  const long long lower = std::llround(bandBaseMhz * 100000);
  if (n > upper) {
    n = upper;
  } else if (n < lower) {
    n = lower;
  } else {
    const long long grid = step == StepSize::k5000Hz ? 500 : 625;
    const long long half = step == StepSize::k5000Hz ? 250 : 312;  // r < 312.5
    const long long r = n % grid;
    n = r <= half ? n - r : n + (grid - r);
  }
  return FormatFixed(static_cast<double>(n) * 0.00001, 8, 5);
}

std::string ToneToSend(std::string_view comboText) {
  const ToneTable& tones = ToneTable::Instance();
  const std::optional<int> index = tones.IndexOf(comboText);
  return index ? tones.Name(*index) : tones.Name(0);
}

}  // namespace korvel
