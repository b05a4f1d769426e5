#pragma once
// The texts of the printout's settings summary: the bar's three selections
// and each radio-wide value as the editors show it.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/channel_table.h"
#include "model/memory_image.h"

namespace korvel::print {

// The selected texts of the bar's model, band and Tx power rank lists.
struct BarTexts {
  std::string model;
  std::string band;
  std::string txPowerRank;
};

// The texts of the bar's selections; a list without a valid selection gives
// the item the settings block holds, as the bar shows it after a fill.
BarTexts BarTextsOf(const TypeSettings& type, const MemoryImage& image);

// One item of the summary: label and value as one text, on summary line
// 0..7 at column x = column * W.
struct SummaryItem {
  int line;
  int column;
  std::string text;
};

// The summary's items in drawing order, "Function Setting:" first.
std::vector<SummaryItem> SettingsSummary(const MemoryImage& image, const BarTexts& bar);

// Name of a Pf key function byte; unknown values name "None".
std::string KeyFunctionName(std::uint8_t value);
// The digits and the letters A to D of a code area, in order; every other
// byte (0xFF included) is skipped.
std::string CodeText(std::span<const std::uint8_t> bytes);

}  // namespace korvel::print
