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

// How far the local time is ahead of UTC: the local clock's reading taken
// as if it were UTC, less the moment itself. strftime's %z would give it on
// Linux, but Windows' C library writes the zone's name there.
long long UtcOffsetSeconds(std::time_t seconds, const std::tm& local) {
  using namespace std::chrono;
  const sys_days day{year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday};
  const long long asUtc = duration_cast<std::chrono::seconds>(day.time_since_epoch()).count() +
                          local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
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
