#include <signal.h>
#include <unistd.h>

#include <csignal>

#include "console.h"

namespace korvel::cli {
namespace {

CancelToken* gStopTarget = nullptr;

// Ctrl+C, the end of the desktop session and a closed terminal all stop a
// transfer the same way.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kStopSignalCount = 3;
// Which of them the handler took over (an ignored SIGHUP under nohup stays
// ignored), and the first that came; written before the handlers run.
bool gCaught[kStopSignalCount] = {};
volatile std::sig_atomic_t gStopSignal = 0;

// The first stop signal raises the cancel request; the handlers then step
// aside, so a second one ends the program at once.
void OnStopSignal(int signal) {
  if (gStopSignal == 0) gStopSignal = signal;
  gStopTarget->Raise();
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
  explicit StopSignalsAsCancel(CancelToken& cancel) {
    gStopTarget = &cancel;
    cancel.Reset();
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

}  // namespace

std::vector<std::string> CommandArguments(int argc, char** argv) { return {argv, argv + argc}; }

// Terminals take UTF-8 as it is written.
void UseUtf8Console() {}

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }

// Once the command has ended, SIGTERM or SIGHUP ends the program by that
// signal's default action, so the shell and the session see why it ended;
// Ctrl+C keeps the cancelled command's exit status.
int RunStoppable(CancelToken& cancel, const std::function<int()>& command) {
  int status = 0;
  {
    StopSignalsAsCancel signals(cancel);
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

}  // namespace korvel::cli
