#include "simulated_clock.h"

#include <algorithm>

namespace korvel::test {

bool SimulatedClock::SleepMs(int ms, const CancelToken* cancel) { return Advance(ms, cancel); }

bool SimulatedClock::Advance(long long ms, const CancelToken* cancel) {
  if (cancel != nullptr && cancel->IsRaised()) return false;
  const long long target = elapsedMs_ + std::max(0LL, ms);
  for (Raise& raise : raises_) {
    if (raise.token == nullptr || raise.atMs > target) continue;
    raise.token->Raise();
    if (raise.token == cancel) {
      elapsedMs_ = std::max(elapsedMs_, raise.atMs);
      raise.token = nullptr;
      return false;
    }
    raise.token = nullptr;
  }
  elapsedMs_ = target;
  return true;
}

}  // namespace korvel::test
