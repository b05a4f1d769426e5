#include "settings_block.h"

#include <algorithm>

namespace korvel::settings {
namespace {

// How many leading positions accept a character class, per field.
struct RadioTextRules {
  std::size_t offset;
  int digitPositions;      // digits accepted at positions below this
  char lastUpper;          // 'F' for the ANI code, 'Z' for the radio name
  int lowerPositions;      // lower-case letters accepted below this
};

RadioTextRules RulesOf(RadioTextKind kind) {
  if (kind == RadioTextKind::AniCode) return {kAniCode, 4, 'F', 6};
  return {kRadioName, static_cast<int>(kRadioTextLength), 'Z', 6};
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::optional<int> FindListItem(std::span<const std::string_view> items, std::string_view text) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string_view item = items[i];
    if (std::equal(item.begin(), item.end(), text.begin(), text.end(),
                   [](char a, char b) { return Upper(a) == Upper(b); }))
      return static_cast<int>(i);
  }
  return std::nullopt;
}

// A byte outside the field's character set is skipped without ending the
// text; digits and lower-case letters count only in the leading positions
// the field allows.
std::string ReadRadioText(const MemoryImage& image, RadioTextKind kind) {
  const RadioTextRules rules = RulesOf(kind);
  std::string text;
  for (int pos = 0; pos < static_cast<int>(kRadioTextLength); ++pos) {
    const char c = static_cast<char>(image[rules.offset + static_cast<std::size_t>(pos)]);
    const char lastLower = static_cast<char>(rules.lastUpper - 'A' + 'a');
    if (c >= '0' && c <= '9') {
      if (pos < rules.digitPositions) text += c;
    } else if (c >= 'A' && c <= rules.lastUpper) {
      text += c;
    } else if (c >= 'a' && c <= lastLower) {
      if (pos < rules.lowerPositions) text += static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}

void WriteRadioText(MemoryImage& image, RadioTextKind kind, std::string_view text) {
  const RadioTextRules rules = RulesOf(kind);
  const char lastLower = static_cast<char>(rules.lastUpper - 'A' + 'a');
  for (std::size_t pos = 0; pos < kRadioTextLength; ++pos) {
    std::uint8_t stored = 0xFF;
    if (pos < text.size()) {
      const char c = text[pos];
      if (c >= 'A' && c <= rules.lastUpper)
        stored = static_cast<std::uint8_t>(c);
      else if (c >= 'a' && c <= lastLower)
        stored = static_cast<std::uint8_t>(c - 'a' + 'A');
      else if (c >= '0' && c <= '9')
        stored = static_cast<std::uint8_t>(c);
      else
        stored = '0';
    }
    image[rules.offset + pos] = stored;
  }
}


std::size_t RadioTextLimit(RadioTextKind kind) { return kind == RadioTextKind::AniCode ? 4 : 6; }

std::string_view RadioTextName(RadioTextKind kind) {
  return kind == RadioTextKind::AniCode ? "ANI" : "Radio Name";
}

bool RadioTextAccepts(RadioTextKind kind, char c) {
  const char upper = Upper(c);
  return (c >= '0' && c <= '9') || (upper >= 'A' && upper <= RulesOf(kind).lastUpper);
}

std::string RadioTextProblem(RadioTextKind kind, std::string_view text) {
  const std::string name(RadioTextName(kind));
  if (!std::all_of(text.begin(), text.end(), [kind](char c) { return RadioTextAccepts(kind, c); }))
    return name + " takes only the characters 0-9 and A-" + RulesOf(kind).lastUpper + ".";
  const std::size_t limit = RadioTextLimit(kind);
  if (text.size() > limit)
    return name + " holds at most " + std::to_string(limit) + " characters; it has " +
           std::to_string(text.size()) + ".";
  return {};
}

}  // namespace korvel::settings
