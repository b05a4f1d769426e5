#pragma once
// read and write as korvel-cli runs them, on whatever port, clock and
// streams it is given: the command line passes the serial port, the system
// clock and its terminal; tests pass a simulated radio and simulated time.

#include <cstdio>
#include <string>

#include "link/cancel_token.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "terminal_prompter.h"

namespace korvel::cli {

struct RadioOptions {
  std::string port;
  std::string file;
  PromptAnswers answers;
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
// so a failed one leaves any earlier file as it was. Returns the exit status.
int ReadRadio(const RadioOptions& options, RadioSession& session);
// Write To Radio of options.file, as the window sends it: shown in the grid,
// then collected from it. Returns the exit status.
int WriteRadio(const RadioOptions& options, RadioSession& session);

}  // namespace korvel::cli
