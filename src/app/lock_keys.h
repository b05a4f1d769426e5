#pragma once
// The state of the Caps, Num and Scroll Lock keys for the status-bar
// indicators. Qt has no query for it, so each system has its own file:
// under X11 the keyboard's indicators are read (lock_keys_x11.cpp), on
// Windows the keys' toggle state (lock_keys_windows.cpp), elsewhere the
// state is unknown (lock_keys_unknown.cpp).

#include <optional>

namespace korvel {

struct LockKeys {
  std::optional<bool> caps;
  std::optional<bool> num;
  std::optional<bool> scroll;
};

LockKeys QueryLockKeys();

}  // namespace korvel
