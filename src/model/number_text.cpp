#include "number_text.h"

#include <locale.h>

#include <charconv>
#include <climits>
#include <cstdlib>
#include <string>

#include "channel_record.h"

namespace korvel {
namespace {

// strtod in the C locale, whatever the process's.
#ifdef _WIN32
double StrtodC(const char* text) {
  static const _locale_t c = _create_locale(LC_ALL, "C");
  return _strtod_l(text, nullptr, c);
}
#else
double StrtodC(const char* text) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtod_l(text, nullptr, c);
}
#endif

}  // namespace

double ParseDecimal(std::string_view text) {
  const std::string s(text);  // strtod needs a terminator
  return StrtodC(s.c_str());
}

long ParseInteger(std::string_view text) {
  const std::string s(text);
  const long long v = std::strtoll(s.c_str(), nullptr, 10);
  if (v > LONG_MAX) return LONG_MAX;
  if (v < LONG_MIN) return LONG_MIN;
  return static_cast<long>(v);
}

std::string FormatFixed(double value, int width, int precision) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
  std::string text(buffer, result.ptr);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace korvel
