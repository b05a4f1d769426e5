#pragma once
// A listener's hold on a source of change notices: the listener is dropped
// when the subscription goes, whichever of the two goes first.

#include <functional>
#include <utility>

namespace korvel {

class Subscription {
 public:
  Subscription() = default;
  // cancel removes the listener from its source; it must be safe to run
  // after the source is gone.
  explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
  Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, {})) {}
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      Reset();
      cancel_ = std::exchange(other.cancel_, {});
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  ~Subscription() { Reset(); }

  void Reset() {
    if (auto cancel = std::exchange(cancel_, {})) cancel();
  }

 private:
  std::function<void()> cancel_;
};

}  // namespace korvel
