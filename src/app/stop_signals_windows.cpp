#include "app/stop_signals.h"

// Windows' requests to go reach the window as messages Qt turns into close
// events and session signals (see the header), so there is nothing to take
// over. A console control handler is not installed: the windowed program has
// no console, and the one event it could stand for, the console closed,
// ends the process a few seconds after the handler is called, too soon for
// a transfer to stop between frames and the save-changes question to be
// answered.

namespace korvel {

struct StopSignalNotifier::Taken {};

StopSignalNotifier::StopSignalNotifier(QObject* parent) : QObject(parent) {}

StopSignalNotifier::~StopSignalNotifier() = default;

}  // namespace korvel
