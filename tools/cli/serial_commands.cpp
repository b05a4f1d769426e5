// The serial-port side of read, write, align and fleet write: the sessions
// on the real port and terminal, and Ctrl+C routed to the cancel token.

#include "serial_commands.h"

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <memory>

#include "link/cancel_token.h"
#include "link/posix_serial_port.h"

namespace korvel::cli {
namespace {

CancelToken gCancel;

// The first Ctrl+C asks the transfer to stop at its next cancel check (and
// wakes the wait in progress); the handler then steps aside, so a second
// one ends the program at once.
void OnInterrupt(int) {
  gCancel.Raise();
  std::signal(SIGINT, SIG_DFL);
}

// Routes SIGINT to the cancel request for the length of one transfer.
class InterruptAsCancel {
 public:
  InterruptAsCancel() {
    gCancel.Reset();
    struct sigaction action{};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep a terminal question waiting for its answer; the
    // port's reads and writes and the clock's sleeps handle EINTR themselves.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previous_);
  }
  ~InterruptAsCancel() { sigaction(SIGINT, &previous_, nullptr); }
  InterruptAsCancel(const InterruptAsCancel&) = delete;
  InterruptAsCancel& operator=(const InterruptAsCancel&) = delete;

 private:
  struct sigaction previous_{};
};

int RunOnSerialPort(const std::function<int(RadioSession&)>& command) {
  PosixSerialPort port(gCancel);
  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  RadioSession session{port,  SystemClock::Instance(), gCancel, stdin, stderr,
                       terminal, terminal && ::isatty(STDIN_FILENO) != 0};
  InterruptAsCancel interrupt;
  return command(session);
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
  FleetSession session{[](const std::string&) {
                         return FleetLine{MakePosixSerialPort(gCancel), &SystemClock::Instance()};
                       },
                       gCancel,
                       stdin,
                       stdout,
                       stderr,
                       ::isatty(STDIN_FILENO) != 0 && ::isatty(STDERR_FILENO) != 0};
  InterruptAsCancel interrupt;
  return WriteFleet(options, session);
}

}  // namespace korvel::cli
