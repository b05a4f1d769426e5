#include "app/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace korvel {
namespace {

const QString kPlaceKey = QStringLiteral("Main Window/Geometry");

const QScreen* ScreenOf(const QWidget& window) {
  return window.screen() ? window.screen() : QGuiApplication::primaryScreen();
}

// The window manager's border, known once the window is shown.
QSize BorderOf(const QWidget& window) {
  return window.isVisible() ? window.frameGeometry().size() - window.size() : QSize(0, 0);
}

}  // namespace

bool RestoreWindowPlace(QWidget& window, const QSettings& settings) {
  const QByteArray place = settings.value(kPlaceKey).toByteArray();
  // Qt brings a place off every screen back onto the nearest one.
  return !place.isEmpty() && window.restoreGeometry(place);
}

void SaveWindowPlace(const QWidget& window, QSettings& settings) {
  settings.setValue(kPlaceKey, window.saveGeometry());
  settings.sync();
}

QSize BoundedToScreen(const QWidget& window, QSize wanted) {
  const QScreen* screen = ScreenOf(window);
  if (!screen) return wanted;
  return wanted.boundedTo(screen->availableGeometry().size() - BorderOf(window));
}

void KeepOnScreen(QWidget& window) {
  const QScreen* screen = ScreenOf(window);
  if (!screen || window.isMaximized() || window.isFullScreen()) return;
  const QSize bounded = BoundedToScreen(window, window.size());
  if (bounded != window.size()) window.resize(bounded);
  if (!window.isVisible()) return;
  const QRect available = screen->availableGeometry();
  QRect outer = window.frameGeometry();
  if (available.contains(outer)) return;
  outer.moveRight(std::min(outer.right(), available.right()));
  outer.moveBottom(std::min(outer.bottom(), available.bottom()));
  outer.moveLeft(std::max(outer.left(), available.left()));
  outer.moveTop(std::max(outer.top(), available.top()));
  window.move(outer.topLeft());
}

}  // namespace korvel
