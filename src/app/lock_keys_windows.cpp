#include <windows.h>

#include "app/lock_keys.h"

namespace korvel {

// The toggle bit of the keys' state as the interface thread's messages have
// left it, which is what the window shows alongside.
LockKeys QueryLockKeys() {
  const auto on = [](int key) -> std::optional<bool> { return (::GetKeyState(key) & 1) != 0; };
  return {on(VK_CAPITAL), on(VK_NUMLOCK), on(VK_SCROLL)};
}

}  // namespace korvel
