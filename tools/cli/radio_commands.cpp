// read, write: the clone transfer with the radio on a serial port, run as
// the window runs it, with the progress and the messages on standard error.

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "cli_commands.h"
#include "cli_transfer_host.h"
#include "link/clone_transfer.h"
#include "link/posix_serial_port.h"
#include "link/transfer_texts.h"
#include "model/channel_file.h"
#include "model/channel_table.h"
#include "model/memory_image.h"
#include "terminal_prompter.h"

namespace korvel::cli {
namespace {

volatile std::sig_atomic_t gCancelRequest = 0;

// The first Ctrl+C asks the transfer to stop at its next cancel check; the
// handler then steps aside, so a second one ends the program at once.
void OnInterrupt(int) {
  gCancelRequest = 1;
  std::signal(SIGINT, SIG_DFL);
}

// Routes SIGINT to the cancel request for the length of one transfer.
class InterruptAsCancel {
 public:
  InterruptAsCancel() {
    gCancelRequest = 0;
    struct sigaction action{};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep a terminal question waiting for its answer; the
    // port's reads and writes handle EINTR themselves.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previous_);
  }
  ~InterruptAsCancel() { sigaction(SIGINT, &previous_, nullptr); }
  InterruptAsCancel(const InterruptAsCancel&) = delete;
  InterruptAsCancel& operator=(const InterruptAsCancel&) = delete;

 private:
  struct sigaction previous_{};
};

struct RadioOptions {
  std::string port;
  std::string file;
  PromptAnswers answers;
};

TransferResult RunTransfer(TransferDirection direction, const RadioOptions& options, MemoryImage& image,
                           ChannelTable& table) {
  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  TerminalPrompter prompter(options.answers, stdin, stderr, terminal && ::isatty(STDIN_FILENO) != 0);
  CliTransferHost host(prompter, table, gCancelRequest, stderr, terminal);
  if (terminal) {
    std::fprintf(stderr, "%s\n",
                 direction == TransferDirection::Read ? texts::kReadingCaption : texts::kWritingCaption);
  }
  PosixSerialPort port;
  CloneTransfer transfer(port, SystemClock::Instance(), host);
  bool modelCheckArmed = true;
  TransferResult result;
  {
    InterruptAsCancel interrupt;
    result = transfer.Run(direction, options.port, image, modelCheckArmed);
  }
  if (result == TransferResult::PortNotOpened && !port.LastError().empty())
    std::cerr << "korvel-cli: " << port.DevicePath() << ": " << port.LastError() << '\n';
  if (result != TransferResult::Completed) {
    std::cerr << "korvel-cli: " << (direction == TransferDirection::Read ? "read" : "write")
              << " ended: " << TransferResultName(result) << " (" << transfer.BlocksDone() << " of 264 blocks)\n";
  }
  return result;
}

// A read goes into a copy of a New image; only a complete read writes the
// file, so a failed one leaves any earlier file as it was.
int Read(const RadioOptions& options) {
  MemoryImage image = NewImage();
  ChannelTable table;
  if (RunTransfer(TransferDirection::Read, options, image, table) != TransferResult::Completed) return kFailure;
  if (Status saved = SaveChannelFile(options.file, image); !saved) {
    std::cerr << "korvel-cli: " << saved.message << '\n';
    return kFailure;
  }
  return 0;
}

// A write sends what the window would: the file shown in the grid, then
// collected from it.
int Write(const RadioOptions& options) {
  MemoryImage image = NewImage();
  if (Status loaded = LoadChannelFile(options.file, image); !loaded) {
    std::cerr << "korvel-cli: " << loaded.message << '\n';
    return kFailure;
  }
  ChannelTable table;
  table.Fill(image);
  return RunTransfer(TransferDirection::Write, options, image, table) == TransferResult::Completed ? 0 : kFailure;
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
  cmdRead->callback([&status, read] { status = Read(*read); });

  auto write = std::make_shared<RadioOptions>();
  auto* cmdWrite = app.add_subcommand("write", "Write a channel data file to the radio (Write To Radio)");
  cmdWrite->add_option("--port", write->port, "COM1..COM4 or a device path")->required();
  cmdWrite->add_option("FILE", write->file, "Channel data file to send (.sin)")->required()->check(CLI::ExistingFile);
  cmdWrite->add_flag("--accept-type-mismatch", write->answers.acceptTypeMismatch,
                     "Answer OK to \"Radio Type are not match\" instead of Cancel");
  AddAnswerFlags(cmdWrite, *write);
  cmdWrite->callback([&status, write] { status = Write(*write); });
}

}  // namespace korvel::cli
