#pragma once
// SIGTERM and SIGHUP (the session ending the program, its terminal closed)
// brought to the interface thread: the handler only writes the signal to a
// pipe, and a socket notifier on the pipe's other end emits stopRequested()
// from the event loop, where the window can close as on Exit. A signal
// ignored when the notifier is made (SIGHUP under nohup) stays ignored.

#include <QObject>
#include <signal.h>

class QSocketNotifier;

namespace korvel {

class StopSignalNotifier : public QObject {
  Q_OBJECT
 public:
  // Takes SIGTERM and SIGHUP over until destroyed; one notifier at a time.
  explicit StopSignalNotifier(QObject* parent = nullptr);
  // Gives the signals back to the dispositions they had.
  ~StopSignalNotifier() override;
  StopSignalNotifier(const StopSignalNotifier&) = delete;
  StopSignalNotifier& operator=(const StopSignalNotifier&) = delete;

 signals:
  // Once for the signals that came since the event loop last looked.
  void stopRequested();

 private:
  void Drain();

  int pipe_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
  struct sigaction previous_[2]{};
  bool taken_[2] = {};
};

}  // namespace korvel
