// read, write, align and fleet write: the clone transfer and the test
// exchange with the radio on a serial port, run as the window runs them,
// with the progress and the messages on standard error.

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <memory>

#include "cli_commands.h"
#include "fleet_write.h"
#include "link/cancel_token.h"
#include "link/posix_serial_port.h"
#include "model/backup_store.h"
#include "radio_align.h"
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

int RunOnSerialPort(const std::function<int(RadioSession&)>& command) {
  PosixSerialPort port(gCancel);
  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  RadioSession session{port,  SystemClock::Instance(), gCancel, stdin, stderr,
                       terminal, terminal && ::isatty(STDIN_FILENO) != 0};
  InterruptAsCancel interrupt;
  return command(session);
}

int RunFleet(const FleetOptions& options) {
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

void AddAnswerFlags(CLI::App* command, PromptAnswers& answers) {
  command->add_option("--retries", answers.communicationRetries,
                      "Answer Retry this many times to \"Communication Error\" before Cancel")
      ->check(RetryCount());
}

void AddWriteFlags(CLI::App* command, PromptAnswers& answers, bool& verify) {
  command->add_flag("--verify", verify, "Read the radio back after the write and report every difference");
  command->add_flag("--accept-type-mismatch", answers.acceptTypeMismatch,
                    "Answer OK to \"Radio Type are not match\" instead of Cancel");
  command->add_flag("--accept-long-file", answers.acceptLongFile,
                    "Write a file longer than 2112 bytes (its first 2112) without asking");
  AddAnswerFlags(command, answers);
}

}  // namespace

void RegisterRadioCommands(CLI::App& app, int& status) {
  auto read = std::make_shared<RadioOptions>();
  auto* cmdRead = app.add_subcommand("read", "Read the radio's memory into a channel data file (Read From Radio)");
  cmdRead->add_option("--port", read->port, "COM1..COM4 or a device path")->required();
  cmdRead->add_option("-o,--output", read->file, "Channel data file to write (.sin)")->required();
  cmdRead->add_option("--backup-dir", read->backupDir,
                      "Also keep the memory read as a backup in this folder (named by date, time and radio)");
  AddAnswerFlags(cmdRead, read->answers);
  cmdRead->callback([&status, read] { status = RunOnSerialPort([read](RadioSession& s) { return ReadRadio(*read, s); }); });

  auto write = std::make_shared<RadioOptions>();
  auto* cmdWrite = app.add_subcommand("write", "Write a channel data file to the radio (Write To Radio)");
  cmdWrite->add_option("--port", write->port, "COM1..COM4 or a device path")->required();
  cmdWrite->add_option("FILE", write->file, "Channel data file to send (.sin)")->required();
  cmdWrite->add_flag("--backup-before-write", write->backupBeforeWrite,
                     "First read the radio's memory and keep it as a backup; if that fails nothing is written. "
                     "The backup goes to --backup-dir, else to $XDG_DATA_HOME/Korvel/backups or "
                     "~/.local/share/Korvel/backups (here: " + BackupStore::DefaultFolder() + ")");
  cmdWrite->add_option("--backup-dir", write->backupDir,
                       "Folder for the backup before the write (implies --backup-before-write)");
  AddWriteFlags(cmdWrite, write->answers, write->verify);
  cmdWrite->callback(
      [&status, write] { status = RunOnSerialPort([write](RadioSession& s) { return WriteRadio(*write, s); }); });

  auto fleet = std::make_shared<FleetOptions>();
  auto* cmdFleet = app.add_subcommand("fleet", "Program many radios with one file");
  cmdFleet->require_subcommand(1);
  auto* cmdFleetWrite = cmdFleet->add_subcommand(
      "write",
      "Write FILE to one radio per --port, all at once (one after another with --sequential); with one port, "
      "radio after radio on it, asking for the next. One line per radio goes to the --log CSV file.");
  cmdFleetWrite->add_option("FILE", fleet->file, "Channel data file to send (.sin)")->required();
  cmdFleetWrite->add_option("--port", fleet->ports, "COM1..COM4 or a device path; give it once per port")
      ->required()
      ->allow_extra_args(false);
  cmdFleetWrite->add_option("--log", fleet->log,
                            "CSV log, appended to: Time,Port,Radio,Result,Verify,Duration (s)")
      ->required();
  cmdFleetWrite->add_flag("--sequential", fleet->sequential, "Write the ports one after another, not at once");
  AddWriteFlags(cmdFleetWrite, fleet->answers, fleet->verify);
  cmdFleetWrite->callback([&status, fleet] { status = RunFleet(*fleet); });

  auto align = std::make_shared<AlignOptions>();
  auto* cmdAlign = app.add_subcommand("align", "Send one alignment value to the radio (Test Mode's Start)");
  cmdAlign->add_option("--port", align->port, "COM1..COM4 or a device path")->required();
  cmdAlign->add_option("--item", align->item, "Debug item")
      ->required()
      ->check(CLI::IsMember({"tx-frequency", "low-power-voltage", "squelch", "tx-power"}));
  cmdAlign->add_option("--value", align->value, "Alignment value")->required()->check(CLI::Range(0, 255));
  cmdAlign->add_option("--rx", align->rx, "Receive frequency in MHz, e.g. 146.52")->required();
  cmdAlign->add_option("--tx", align->tx, "Transmit frequency in MHz")->required();
  cmdAlign->add_option("--rx-tone", align->rxTone, "Receive tone, e.g. OFF, 88.5, D023N")->capture_default_str();
  cmdAlign->add_option("--tx-tone", align->txTone, "Transmit tone")->capture_default_str();
  cmdAlign->add_option("--retries", align->answers.testRetries,
                       "Answer Retry this many times to \" Error had happen ,need try again\" before Cancel")
      ->check(RetryCount());
  cmdAlign->callback(
      [&status, align] { status = RunOnSerialPort([align](RadioSession& s) { return AlignRadio(*align, s); }); });
}

}  // namespace korvel::cli
