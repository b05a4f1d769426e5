#include "local_time.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace korvel {
namespace {

std::tm LocalTm(std::time_t seconds) {
  std::tm local{};
  ::localtime_r(&seconds, &local);
  return local;
}

// Days from 1970-01-01 to the civil date (proleptic Gregorian).
long long DaysFromCivil(long long year, unsigned month, unsigned day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

// How far the local time is ahead of UTC: the local clock's reading taken
// as if it were UTC, less the moment itself. strftime's %z would give it on
// Linux, but Windows' C library writes the zone's name there.
long long UtcOffsetSeconds(std::time_t seconds, const std::tm& local) {
  const long long days = DaysFromCivil(local.tm_year + 1900LL, static_cast<unsigned>(local.tm_mon + 1),
                                       static_cast<unsigned>(local.tm_mday));
  const long long asUtc = days * 86400 + local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
  return asUtc - static_cast<long long>(seconds);
}

}  // namespace

std::string FormatLocalTime(std::chrono::system_clock::time_point when, const char* format) {
  const std::tm local = LocalTm(std::chrono::system_clock::to_time_t(when));
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, format, &local);
  return std::string(text, length);
}

std::string IsoLocalTime(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  const std::tm local = LocalTm(seconds);
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  const long long offset = UtcOffsetSeconds(seconds, local);
  const long long minutes = std::llabs(offset) / 60;
  char zone[32];
  std::snprintf(zone, sizeof zone, "%c%02lld:%02lld", offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return std::string(text, length) + zone;
}

}  // namespace korvel
