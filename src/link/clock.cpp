#include "link/clock.h"

#include <thread>

#include "link/cancel_token.h"

namespace korvel {

bool SystemClock::SleepMs(int ms, const CancelToken* cancel) {
  if (cancel == nullptr) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return true;
  }
  const TimePoint deadline = Now() + std::chrono::milliseconds(ms);
  for (;;) {
    if (cancel->IsRaised()) return false;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Now()).count();
    if (left <= 0) return true;
    if (!cancel->Wait(static_cast<int>(left))) {
      // Without the token's wait the sleep still keeps its length.
      std::this_thread::sleep_until(deadline);
      return !cancel->IsRaised();
    }
  }
}

SystemClock& SystemClock::Instance() {
  static SystemClock clock;
  return clock;
}

}  // namespace korvel
