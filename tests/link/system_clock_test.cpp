// The real clock's sleep ends when its cancel token is raised, before it
// starts or from another thread while it waits, and keeps its length
// once the token is reset.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/cancel_token.h"
#include "link/clock.h"

namespace korvel {
namespace {

using std::chrono::milliseconds;

TEST(SystemClock, ARaisedCancelEndsASleep) {
  CancelToken cancel;
  SystemClock& clock = SystemClock::Instance();
  for (const bool whileAsleep : {false, true}) {
    SCOPED_TRACE(whileAsleep ? "raised while asleep" : "raised before");
    if (!whileAsleep) cancel.Raise();
    std::thread raiser([&] {
      if (!whileAsleep) return;
      std::this_thread::sleep_for(milliseconds(50));
      cancel.Raise();
    });
    const auto start = clock.Now();
    EXPECT_FALSE(clock.SleepMs(10000, &cancel));
    EXPECT_LT(clock.Now() - start, milliseconds(5000));
    raiser.join();
    cancel.Reset();
  }
  const auto start = clock.Now();
  EXPECT_TRUE(clock.SleepMs(20, &cancel));
  EXPECT_GE(clock.Now() - start, milliseconds(20));
}

}  // namespace
}  // namespace korvel
