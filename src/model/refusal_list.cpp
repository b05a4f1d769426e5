#include "refusal_list.h"

namespace korvel {
namespace {

unsigned char Byte(std::string_view text, std::size_t at) { return static_cast<unsigned char>(text[at]); }

// The length of the valid UTF-8 sequence at the start of text (overlong
// forms, surrogates and code points past U+10FFFF are not valid); 0 when
// it starts with none.
std::size_t SequenceLength(std::string_view text) {
  const unsigned char lead = Byte(text, 0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || Byte(text, 1) < low || Byte(text, 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (Byte(text, i) < 0x80 || Byte(text, i) > 0xBF) return 0;
  }
  return length;
}

void AppendEscaped(std::string& shown, unsigned char byte) {
  constexpr char kHex[] = "0123456789abcdef";
  switch (byte) {
    case '\0': shown += "\\0"; return;
    case '\t': shown += "\\t"; return;
    case '\n': shown += "\\n"; return;
    case '\r': shown += "\\r"; return;
    default: break;
  }
  shown += "\\x";
  shown += kHex[byte >> 4];
  shown += kHex[byte & 0xF];
}

}  // namespace

std::string ShownText(std::string_view text) {
  std::string shown;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++characters) {
    if (characters == kShownCharacters) {
      shown += "…";
      break;
    }
    const std::size_t valid = SequenceLength(text.substr(at));
    const std::size_t length = valid == 0 ? 1 : valid;
    const unsigned char lead = Byte(text, at);
    // Below 0x20, 0x7f, and U+0080..U+009F (0x9b starts a terminal command
    // as ESC [ does) are control characters.
    const bool control =
        valid == 1 ? lead < 0x20 || lead == 0x7F : valid == 2 && lead == 0xC2 && Byte(text, at + 1) < 0xA0;
    for (std::size_t i = 0; i < length; ++i) {
      if (valid == 0 || control) {
        AppendEscaped(shown, Byte(text, at + i));
      } else {
        shown += text[at + i];
      }
    }
    at += length;
  }
  return shown;
}

std::string RefusalLine(std::string_view place, std::string_view text, std::string_view reason) {
  std::string line(place);
  line += ": ";
  if (!text.empty()) {
    line += '"';
    line += ShownText(text);
    line += "\" — ";
  }
  line += reason;
  return line;
}

std::string ListRefusals(std::string_view headline, const std::vector<std::string>& lines) {
  std::string message(headline);
  for (const std::string& line : lines) message += "\n" + line;
  return message;
}

std::string CountOf(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace korvel
