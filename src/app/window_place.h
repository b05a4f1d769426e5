#pragma once
// Where the main window stands: its size, position and maximised state are
// kept in the settings when it closes and taken again at the next start. A
// place kept on a screen that has gone, or partly off every screen, is
// brought back onto one.

#include <QSize>

class QSettings;
class QWidget;

namespace korvel {

// Gives window the place settings keep; false (and nothing changed) when
// they keep none, as at the first start.
bool RestoreWindowPlace(QWidget& window, const QSettings& settings);
void SaveWindowPlace(const QWidget& window, QSettings& settings);
// wanted, no larger than the available area of the screen window is on
// (its border, known once it is shown, included).
QSize BoundedToScreen(const QWidget& window, QSize wanted);
// Shrinks window to its screen's available area and moves it wholly onto
// it; a maximised or full-screen window is the window manager's.
void KeepOnScreen(QWidget& window);

}  // namespace korvel
