#pragma once
// Number reading and writing that ignore the process locale: the program
// always uses '.' as the decimal point, whatever LC_NUMERIC says (Qt sets
// the locale from the environment at start-up).

#include <string>
#include <string_view>

namespace korvel {

// printf's "%W.Pf" with '.' as the decimal point.
std::string FormatFixed(double value, int width, int precision);

}  // namespace korvel
