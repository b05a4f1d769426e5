// The local time as the fleet log writes it: ISO 8601 with the zone's
// numeric offset, ahead of UTC or behind it, in whole hours or not, on
// every system (Windows' C library has no numeric %z).

#include "model/local_time.h"

#include <gtest/gtest.h>

#include <ctime>

#include "scoped_env.h"

namespace korvel::test {
namespace {

TEST(LocalTime, IsoWithTheZonesOffset) {
  // 2026-12-08 13:15:03 UTC.
  const auto when = std::chrono::system_clock::from_time_t(1796735703);
  const struct {
    const char* zone;  // TZ, hours west of UTC
    const char* iso;
  } cases[] = {
      {"UTC0", "2026-12-08T13:15:03+00:00"},     {"XST-1", "2026-12-08T14:15:03+01:00"},
      {"XST-5:30", "2026-12-08T18:45:03+05:30"}, {"XST3:30", "2026-12-08T09:45:03-03:30"},
      {"XST11", "2026-12-08T02:15:03-11:00"},    {"XST-14", "2026-12-09T03:15:03+14:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zone);
    const ScopedEnv zone("TZ", c.zone);
    tzset();
    EXPECT_EQ(IsoLocalTime(when), c.iso);
  }
  tzset();
}

}  // namespace
}  // namespace korvel::test
