#include "app/lock_keys.h"

namespace korvel {

// A system with no query the program knows (Wayland, for one).
LockKeys QueryLockKeys() { return {}; }

}  // namespace korvel
