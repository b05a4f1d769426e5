#pragma once
// The system telling the program to go, brought to the interface thread as
// stopRequested(), where the window closes as on Exit (through the
// transfer's stop and the save-changes question).
//
// POSIX (stop_signals_posix.cpp): SIGTERM and SIGHUP (the session ending the
// program, its terminal closed). The handler only writes the signal to a
// pipe; a socket notifier on the pipe's other end emits from the event loop.
// A signal ignored when the notifier is made (SIGHUP under nohup) stays
// ignored.
//
// Windows (stop_signals_windows.cpp): nothing to take over. A windowed
// program has no console, so it gets no console control events; Windows
// asks it to go with window messages, which Qt already turns into what the
// frame handles: WM_CLOSE (a close from the taskbar or the task manager,
// taskkill without /F) into a QCloseEvent, WM_QUERYENDSESSION into
// commitDataRequest and WM_ENDSESSION into aboutToQuit.

#include <QObject>
#include <memory>

namespace korvel {

class StopSignalNotifier : public QObject {
  Q_OBJECT
 public:
  // Takes the stop requests over until destroyed; one notifier at a time.
  explicit StopSignalNotifier(QObject* parent = nullptr);
  // Gives them back as they were.
  ~StopSignalNotifier() override;
  StopSignalNotifier(const StopSignalNotifier&) = delete;
  StopSignalNotifier& operator=(const StopSignalNotifier&) = delete;

 signals:
  // Once for the requests that came since the event loop last looked.
  void stopRequested();

 private:
  // What the system's own file keeps while the notifier lives.
  struct Taken;
  std::unique_ptr<Taken> taken_;
};

}  // namespace korvel
