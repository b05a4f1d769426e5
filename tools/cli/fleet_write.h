#pragma once
// fleet write as korvel-cli runs it: one file written to many radios, each
// with its own clone transfer, logged one line per radio and summed up at
// the end. One radio's failure never stops the others.
//
// With one port the radios come one after another on it: after each the
// user connects the next and presses Enter (q or the end of input stops).
// With several ports each port's radio is written on a thread of its own,
// all at once; `sequential` takes the ports one after another instead.
// Questions are answered by the flags alone, nobody being there to answer
// for every radio: a question left unanswered is Cancel, and that radio
// fails.

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/cancel_token.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "terminal_prompter.h"

namespace korvel::cli {

struct FleetOptions {
  std::string file;
  std::vector<std::string> ports;
  std::string log;
  bool verify = false;
  bool sequential = false;
  PromptAnswers answers = {};
};

// One radio's line: a serial port of its own and the clock its transfers
// run on.
struct FleetLine {
  std::unique_ptr<SerialPort> port;
  Clock* clock = nullptr;
};

struct FleetSession {
  // Called once per radio, from the thread that writes it.
  std::function<FleetLine(const std::string& portName)> openLine;
  const CancelToken& cancel;
  std::FILE* in;    // Enter or q between radios on one port
  std::FILE* out;   // the summary
  std::FILE* err;   // each port's progress lines and messages, and errors
  bool interactive; // `in` and `err` are a terminal: the long-file question may be asked
};

// Exit status of a fleet write whose radios were all written (and
// verified), some of whose log lines could not be written.
inline constexpr int kLogNotWritten = 3;

// Returns the exit status: 0 when every radio was written (and verified,
// when asked for) and logged; kFailure when any radio failed or was not
// started (a cancel stops the ports not begun, each still reported and
// logged as "not started"), whatever became of the log; else
// kLogNotWritten when a log line could not be written.
int WriteFleet(const FleetOptions& options, FleetSession& session);

inline constexpr const char* kNextRadioPrompt = "Connect the next radio and press Enter, or q to stop";

}  // namespace korvel::cli
