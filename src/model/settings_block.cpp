#include "settings_block.h"

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

}  // namespace

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

}  // namespace korvel::settings
