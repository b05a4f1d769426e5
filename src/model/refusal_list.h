#pragma once
// How refused cells are listed for the user: a first line saying nothing
// was done, then a line per cell, cut short after a screenful.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

inline constexpr std::size_t kListedRefusals = 20;

// "<place>: \"<text>\" — <reason>"; without the quoted text when it is empty.
std::string RefusalLine(std::string_view place, std::string_view text, std::string_view reason);

// headline, then the lines: at most kListedRefusals, then "and N more".
// Lines are separated by "\n"; the last has none.
std::string ListRefusals(std::string_view headline, const std::vector<std::string>& lines);

// "1 cell", "2 cells".
std::string CountOf(std::size_t count, std::string_view one, std::string_view many);

}  // namespace korvel
