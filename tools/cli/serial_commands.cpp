// The serial-port side of read, write, align and fleet write: the sessions
// on the real port and terminal, and Ctrl+C, SIGTERM and SIGHUP routed to the
// cancel token.

#include "serial_commands.h"

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>

#include "link/cancel_token.h"
#include "link/system_serial_port.h"

namespace korvel::cli {
namespace {

CancelToken gCancel;

// Ctrl+C, the end of the desktop session and a closed terminal all stop a
// transfer the same way.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kStopSignalCount = 3;
// Which of them the handler took over (an ignored SIGHUP under nohup stays
// ignored), and the first that came; written before the handlers run.
bool gCaught[kStopSignalCount] = {};
volatile std::sig_atomic_t gStopSignal = 0;

// The first stop signal asks the transfer to stop at its next cancel check
// (and wakes the wait in progress); the handlers then step aside, so a
// second one ends the program at once.
void OnStopSignal(int signal) {
  if (gStopSignal == 0) gStopSignal = signal;
  gCancel.Raise();
  struct sigaction byDefault{};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  for (int i = 0; i < kStopSignalCount; ++i)
    if (gCaught[i]) sigaction(kStopSignals[i], &byDefault, nullptr);
}

// Routes the stop signals to the cancel request for the length of one
// command's transfers.
class StopSignalsAsCancel {
 public:
  StopSignalsAsCancel() {
    gCancel.Reset();
    gStopSignal = 0;
    for (int i = 0; i < kStopSignalCount; ++i) {
      const int signal = kStopSignals[i];
      sigaction(signal, nullptr, &previous_[i]);
      gCaught[i] = signal == SIGINT || previous_[i].sa_handler != SIG_IGN;
      if (!gCaught[i]) continue;
      struct sigaction action{};
      action.sa_handler = OnStopSignal;
      sigemptyset(&action.sa_mask);
      // Restarted calls keep a terminal question waiting for its answer after
      // Ctrl+C; the port's reads and writes and the clock's sleeps handle
      // EINTR themselves. After SIGTERM or SIGHUP nobody is left to answer:
      // the question's read ends as at the end of input.
      action.sa_flags = signal == SIGINT ? SA_RESTART : 0;
      sigaction(signal, &action, nullptr);
    }
  }
  ~StopSignalsAsCancel() {
    for (int i = 0; i < kStopSignalCount; ++i)
      if (gCaught[i]) sigaction(kStopSignals[i], &previous_[i], nullptr);
  }
  StopSignalsAsCancel(const StopSignalsAsCancel&) = delete;
  StopSignalsAsCancel& operator=(const StopSignalsAsCancel&) = delete;

 private:
  struct sigaction previous_[kStopSignalCount]{};
};

// Runs a command with the stop signals as its Cancel. Once it has ended (the
// port closed, its messages out), SIGTERM or SIGHUP ends the program by that
// signal's default action, so the shell and the session see why it ended;
// Ctrl+C keeps the cancelled command's exit status.
int RunStoppable(const std::function<int()>& command) {
  int status = 0;
  {
    StopSignalsAsCancel signals;
    status = command();
  }
  const int signal = gStopSignal;
  if (signal == SIGTERM || signal == SIGHUP) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
  }
  return status;
}

int RunOnSerialPort(const std::function<int(RadioSession&)>& command) {
  return RunStoppable([&] {
    const std::unique_ptr<SerialPort> port = MakeSystemSerialPort(gCancel);
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    RadioSession session{*port,  SystemClock::Instance(), gCancel, stdin, stderr,
                         terminal, terminal && ::isatty(STDIN_FILENO) != 0};
    return command(session);
  });
}

}  // namespace

int ReadOnSerialPort(const RadioOptions& options) {
  return RunOnSerialPort([&](RadioSession& session) { return ReadRadio(options, session); });
}

int WriteOnSerialPort(const RadioOptions& options) {
  return RunOnSerialPort([&](RadioSession& session) { return WriteRadio(options, session); });
}

int AlignOnSerialPort(const AlignOptions& options) {
  return RunOnSerialPort([&](RadioSession& session) { return AlignRadio(options, session); });
}

int FleetWriteOnSerialPorts(const FleetOptions& options) {
  return RunStoppable([&] {
    FleetSession session{[](const std::string&) {
                           return FleetLine{MakeSystemSerialPort(gCancel), &SystemClock::Instance()};
                         },
                         gCancel,
                         stdin,
                         stdout,
                         stderr,
                         ::isatty(STDIN_FILENO) != 0 && ::isatty(STDERR_FILENO) != 0};
    return WriteFleet(options, session);
  });
}

}  // namespace korvel::cli
