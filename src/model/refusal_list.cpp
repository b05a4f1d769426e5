#include "refusal_list.h"

namespace korvel {

std::string RefusalLine(std::string_view place, std::string_view text, std::string_view reason) {
  std::string line(place);
  line += ": ";
  if (!text.empty()) {
    line += '"';
    line += text;
    line += "\" — ";
  }
  line += reason;
  return line;
}

std::string ListRefusals(std::string_view headline, const std::vector<std::string>& lines) {
  std::string message(headline);
  for (std::size_t i = 0; i < lines.size() && i < kListedRefusals; ++i) message += "\n" + lines[i];
  if (lines.size() > kListedRefusals) message += "\nand " + std::to_string(lines.size() - kListedRefusals) + " more";
  return message;
}

std::string CountOf(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace korvel
