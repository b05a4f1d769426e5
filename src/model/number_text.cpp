#include "number_text.h"

#include <locale.h>

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <limits>
#include <string>

#include "channel_record.h"

namespace korvel {
namespace {

// strtod in the C locale, whatever the process's.
#ifdef _WIN32
// Windows' own strtod reads neither infinity, NaN nor hexadecimal: those
// are read here as the C standard (and Linux) reads them, the rest by it.
double StrtodC(const char* text) {
  static const _locale_t c = _create_locale(LC_ALL, "C");
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const double sign = *p == '-' ? -1.0 : 1.0;
  if (*p == '-' || *p == '+') ++p;
  const auto startsWith = [p](const char* word) { return _strnicmp(p, word, std::strlen(word)) == 0; };
  if (startsWith("inf")) return sign * HUGE_VAL;
  if (startsWith("nan")) return sign * std::numeric_limits<double>::quiet_NaN();
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && std::isxdigit(static_cast<unsigned char>(p[2]))) {
    double value = 0;
    const auto [end, error] = std::from_chars(p + 2, p + std::strlen(p), value, std::chars_format::hex);
    return error == std::errc::result_out_of_range ? sign * HUGE_VAL : sign * value;
  }
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
