#pragma once
// Times as the user reads them: in the local time zone.

#include <chrono>
#include <string>

namespace korvel {

// `when` in local time through strftime's format.
std::string FormatLocalTime(std::chrono::system_clock::time_point when, const char* format);
// ISO 8601 with the zone's offset: "2026-12-08T14:15:03+01:00".
std::string IsoLocalTime(std::chrono::system_clock::time_point when);

}  // namespace korvel
