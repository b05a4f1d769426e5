#pragma once
// The one clock every sleep and time-out of the link goes through, so tests
// can run the protocol's waits on simulated time. A sleep given a cancel
// token ends early when the token is raised.

#include <chrono>

namespace korvel {

class CancelToken;

class Clock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~Clock() = default;
  virtual TimePoint Now() = 0;
  // Sleeps ms milliseconds; false when cut short by the token.
  virtual bool SleepMs(int ms, const CancelToken* cancel = nullptr) = 0;
};

// Real monotonic time.
class SystemClock final : public Clock {
 public:
  TimePoint Now() override { return std::chrono::steady_clock::now(); }
  bool SleepMs(int ms, const CancelToken* cancel = nullptr) override;
  static SystemClock& Instance();
};

}  // namespace korvel
