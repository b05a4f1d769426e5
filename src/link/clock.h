#pragma once
// The one clock every sleep and time-out of the link goes through, so tests
// can run the protocol's waits on simulated time.

#include <chrono>

namespace korvel {

class Clock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~Clock() = default;
  virtual TimePoint Now() = 0;
  virtual void SleepMs(int ms) = 0;
};

// Real monotonic time.
class SystemClock final : public Clock {
 public:
  TimePoint Now() override { return std::chrono::steady_clock::now(); }
  void SleepMs(int ms) override;
  static SystemClock& Instance();
};

}  // namespace korvel
