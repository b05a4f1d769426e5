#pragma once
// The columns of the interchange layout, shared by its reading and its
// writing.

#include <array>
#include <string_view>

#include "interchange_csv.h"

// The layout's own names, apart from those of the other channel list
// sources that a unity build puts into the same file.
namespace korvel::interchange {

enum Column : int {
  kLocation,
  kName,
  kFrequency,
  kDuplex,
  kOffset,
  kTone,
  kRToneFreq,
  kCToneFreq,
  kDtcsCode,
  kDtcsPolarity,
  kMode,
  kTStep,
  kSkip,
  kComment,
  kCrossMode,
  kPower,
  kColumnCount
};

// In the order an export writes them.
constexpr std::array<std::string_view, kColumnCount> kNames = {
    "Location", "Name",         "Frequency", "Duplex", "Offset", "Tone",    "rToneFreq", "cToneFreq",
    "DtcsCode", "DtcsPolarity", "Mode",      "TStep",  "Skip",   "Comment", "CrossMode", "Power"};

// The header constant is kNames, comma-separated.
constexpr bool HeaderNamesTheColumns() {
  std::string_view header = kInterchangeHeader;
  for (const std::string_view name : kNames) {
    if (name != kNames.front() && !header.starts_with(",")) return false;
    if (name != kNames.front()) header.remove_prefix(1);
    if (!header.starts_with(name)) return false;
    header.remove_prefix(name.size());
  }
  return header.empty();
}
static_assert(HeaderNamesTheColumns());

}  // namespace korvel::interchange
