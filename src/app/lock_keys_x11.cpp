#include "app/lock_keys.h"

#include <QGuiApplication>

// X11 last: its macros (None, Bool, KeyPress...) collide with Qt's names.
#include <X11/XKBlib.h>

namespace korvel {
namespace {

std::optional<bool> NamedIndicator(Display* display, const char* name) {
  const Atom atom = XInternAtom(display, name, True);
  if (atom == None) return std::nullopt;
  Bool on = False;
  if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return std::nullopt;
  return on != False;
}

}  // namespace

LockKeys QueryLockKeys() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return {};
  return {NamedIndicator(display, "Caps Lock"), NamedIndicator(display, "Num Lock"),
          NamedIndicator(display, "Scroll Lock")};
}

}  // namespace korvel
