#include "local_time.h"

#include <ctime>

namespace korvel {

std::string FormatLocalTime(std::chrono::system_clock::time_point when, const char* format) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  ::localtime_r(&seconds, &local);
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, format, &local);
  return std::string(text, length);
}

std::string IsoLocalTime(std::chrono::system_clock::time_point when) {
  // strftime writes the offset +0100; ISO 8601 writes +01:00.
  std::string iso = FormatLocalTime(when, "%Y-%m-%dT%H:%M:%S%z");
  if (iso.size() >= 5) iso.insert(iso.size() - 2, ":");
  return iso;
}

}  // namespace korvel
