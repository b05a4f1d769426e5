#pragma once
// The state of the Caps, Num and Scroll Lock keys for the status-bar
// indicators. Qt has no query for it; under X11 the keyboard's indicators
// are read, elsewhere the state is unknown.

#include <optional>

namespace korvel {

struct LockKeys {
  std::optional<bool> caps;
  std::optional<bool> num;
  std::optional<bool> scroll;
};

LockKeys QueryLockKeys();

}  // namespace korvel
