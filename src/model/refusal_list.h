#pragma once
// How refused cells are listed for the user: a first line saying nothing
// was done, then a line per cell, cut short after a screenful. A refused
// text is shown as it can be read, never as raw bytes: control characters
// and bytes that are not UTF-8 are escaped, and a long text is cut, so a
// crafted file can neither drive the terminal nor flood it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// How many refusals a message lists, in the window and on the command line.
inline constexpr std::size_t kListedRefusals = 50;
// How many characters of a refused text are shown.
inline constexpr std::size_t kShownCharacters = 40;

// The text as a message shows it: "\0", "\t", "\n", "\r" for those bytes;
// other control characters (below 0x20, 0x7f, and U+0080..U+009F), and
// bytes that are not part of valid UTF-8, as "\xNN" per byte; everything
// else, a backslash included, as it is. A text of more than
// kShownCharacters characters is cut to its first ones and "…".
std::string ShownText(std::string_view text);

// "<place>: \"<text>\" — <reason>", the text as ShownText shows it; without
// the quoted text when it is empty.
std::string RefusalLine(std::string_view place, std::string_view text, std::string_view reason);

// The first kListedRefusals refusals, each as describe(refusal) gives it,
// then "and N more" when there are more. Only the listed ones are described.
template <class Refusal, class Describe>
std::vector<std::string> FirstRefusals(const std::vector<Refusal>& refusals, Describe describe) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < refusals.size() && i < kListedRefusals; ++i) lines.push_back(describe(refusals[i]));
  if (refusals.size() > kListedRefusals)
    lines.push_back("and " + std::to_string(refusals.size() - kListedRefusals) + " more");
  return lines;
}

// headline, then the lines, separated by "\n"; the last has none.
std::string ListRefusals(std::string_view headline, const std::vector<std::string>& lines);

// "1 cell", "2 cells".
std::string CountOf(std::size_t count, std::string_view one, std::string_view many);

}  // namespace korvel
