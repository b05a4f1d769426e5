#pragma once
// Simulated time for the link: sleeps and time-outs advance it at once, so
// a transfer that takes minutes on a line runs in milliseconds. A cancel
// token can be raised when simulated time reaches a given moment.

#include <functional>
#include <vector>

#include "link/cancel_token.h"
#include "link/clock.h"

namespace korvel::test {

class SimulatedClock final : public Clock {
 public:
  TimePoint Now() override { return TimePoint{} + std::chrono::milliseconds(elapsedMs_); }
  // Advances by ms, or up to the moment the token is raised (false then).
  bool SleepMs(int ms, const CancelToken* cancel = nullptr) override;
  // Advances by ms; false when a cancel raised on the way cut it short.
  bool Advance(long long ms, const CancelToken* cancel = nullptr);
  // Raises token once simulated time reaches atMs.
  void RaiseAt(long long atMs, CancelToken& token) { raises_.push_back({atMs, &token}); }
  long long ElapsedMs() const { return elapsedMs_; }

 private:
  struct Raise {
    long long atMs;
    CancelToken* token;
  };
  long long elapsedMs_ = 0;
  std::vector<Raise> raises_;
};

}  // namespace korvel::test
