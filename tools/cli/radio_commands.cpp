// read, write: the clone transfer with the radio on a serial port, run as
// the window runs it, with the progress and the messages on standard error.

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <memory>

#include "cli_commands.h"
#include "link/cancel_token.h"
#include "link/posix_serial_port.h"
#include "radio_transfer.h"

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

int RunOnSerialPort(const RadioOptions& options, int (*command)(const RadioOptions&, RadioSession&)) {
  PosixSerialPort port;
  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  RadioSession session{port,  SystemClock::Instance(), gCancel, stdin, stderr,
                       terminal, terminal && ::isatty(STDIN_FILENO) != 0};
  InterruptAsCancel interrupt;
  return command(options, session);
}

void AddAnswerFlags(CLI::App* command, RadioOptions& options) {
  command->add_option("--retries", options.answers.communicationRetries,
                      "Answer Retry this many times to \"Communication Error\" before Cancel")
      ->check(CLI::NonNegativeNumber);
}

}  // namespace

void RegisterRadioCommands(CLI::App& app, int& status) {
  auto read = std::make_shared<RadioOptions>();
  auto* cmdRead = app.add_subcommand("read", "Read the radio's memory into a channel data file (Read From Radio)");
  cmdRead->add_option("--port", read->port, "COM1..COM4 or a device path")->required();
  cmdRead->add_option("-o,--output", read->file, "Channel data file to write (.sin)")->required();
  AddAnswerFlags(cmdRead, *read);
  cmdRead->callback([&status, read] { status = RunOnSerialPort(*read, ReadRadio); });

  auto write = std::make_shared<RadioOptions>();
  auto* cmdWrite = app.add_subcommand("write", "Write a channel data file to the radio (Write To Radio)");
  cmdWrite->add_option("--port", write->port, "COM1..COM4 or a device path")->required();
  cmdWrite->add_option("FILE", write->file, "Channel data file to send (.sin)")->required()->check(CLI::ExistingFile);
  cmdWrite->add_flag("--accept-type-mismatch", write->answers.acceptTypeMismatch,
                     "Answer OK to \"Radio Type are not match\" instead of Cancel");
  AddAnswerFlags(cmdWrite, *write);
  cmdWrite->callback([&status, write] { status = RunOnSerialPort(*write, WriteRadio); });
}

}  // namespace korvel::cli
