#pragma once
// A listener's hold on a source of change notices: the listener is dropped
// when the subscription goes, whichever of the two goes first.

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

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

// The listeners of one source of notices. Each hears of every notice until
// its subscription goes; a subscription may outlive the source.
template <typename... Args>
class ListenerList {
 public:
  using Listener = std::function<void(Args...)>;

  [[nodiscard]] Subscription Add(Listener listener) {
    const int id = next_++;
    listeners_->emplace(id, std::move(listener));
    return Subscription([weak = std::weak_ptr<Map>(listeners_), id] {
      if (auto listeners = weak.lock()) listeners->erase(id);
    });
  }

  // A listener may subscribe or unsubscribe others (or itself) while it is
  // told: each is looked up again, and called through a copy.
  void Notify(const Args&... args) const {
    std::vector<int> ids;
    for (const auto& entry : *listeners_) ids.push_back(entry.first);
    for (int id : ids) {
      const auto found = listeners_->find(id);
      if (found == listeners_->end()) continue;
      const Listener listener = found->second;
      listener(args...);
    }
  }

 private:
  using Map = std::map<int, Listener>;
  std::shared_ptr<Map> listeners_ = std::make_shared<Map>();
  int next_ = 0;
};

}  // namespace korvel
