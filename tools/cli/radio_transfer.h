#pragma once
// read and write as korvel-cli runs them, on whatever port, clock and
// streams it is given: the command line passes the serial port, the system
// clock and its terminal; tests pass a simulated radio and simulated time.

#include <cstdio>
#include <optional>
#include <string>

#include "link/cancel_token.h"
#include "link/clone_transfer.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "model/memory_image.h"
#include "terminal_prompter.h"

namespace korvel::cli {

struct RadioOptions {
  std::string port;
  std::string file;
  PromptAnswers answers;
  // write: read the radio back after a complete write and compare.
  bool verify = false;
  // write: read the radio's memory and keep it as a backup before writing.
  bool backupBeforeWrite = false;
  // read: keep a backup of a complete read here too. write: keep the
  // backup before writing here (implies backupBeforeWrite; without it the
  // backup goes to BackupStore::DefaultFolder()).
  std::string backupDir = {};
};

struct RadioSession {
  SerialPort& port;
  Clock& clock;
  const CancelToken& cancel;
  std::FILE* in;       // answers to questions, when interactive
  std::FILE* out;      // progress, messages and errors
  bool showProgress;   // a terminal: the status line and bar
  bool interactive;    // questions may be asked on `in`
};

// Read From Radio into options.file; only a complete read writes the file,
// so a failed one leaves any earlier file as it was. With a backup folder,
// a complete read is kept there first, then saved as the file; when either
// fails, the message says how both ended. Returns the exit status.
int ReadRadio(const RadioOptions& options, RadioSession& session);
// Write To Radio of options.file, as the window sends it: shown in the grid,
// then collected from it; with a backup before and a verify after when
// asked for. Verify differences are written one line each. Returns the
// exit status: 0 only when the write completed and any verify matched.
int WriteRadio(const RadioOptions& options, RadioSession& session);

// The image a write sends for the file, as the window sends it (shown in
// the grid, then collected from it). A file longer than an image is asked
// about first (answered by acceptLongFile in scripts). Nothing, with the
// reason on `out`, when it cannot be loaded or the answer is Cancel.
std::optional<MemoryImage> ImageToSend(const std::string& file, const PromptAnswers& answers, std::FILE* in,
                                       std::FILE* out, bool interactive);

// "1 difference", "3 differences".
std::string DifferenceCount(int count);

}  // namespace korvel::cli
