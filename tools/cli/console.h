#pragma once
// What korvel-cli takes from the system it runs on, one file per system:
// the command line as UTF-8, a console that shows UTF-8 text, whether a
// stream is a terminal, and the system's stop requests (Ctrl+C and the
// end of the session) as a transfer's Cancel.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "link/cancel_token.h"

namespace korvel::cli {

// The program's arguments as UTF-8, argv[0] first (on Windows from the
// wide command line: argv holds them in the system's code page, which
// cannot spell every file name).
std::vector<std::string> CommandArguments(int argc, char** argv);

// Makes the console show the UTF-8 text the program writes ("，", "—"),
// until the program ends.
void UseUtf8Console();

bool IsTerminal(std::FILE* stream);

// Runs a command with the system's stop requests raising `cancel`: the
// first asks the transfer to stop at its next cancel check (and wakes the
// wait in progress), a second ends the program at once. Returns the
// command's exit status. A stop that ends the session (SIGTERM or SIGHUP;
// on Windows the console closed, a log-off or a shutdown) ends the program
// once the command has ended, its port closed and its messages out.
int RunStoppable(CancelToken& cancel, const std::function<int()>& command);

}  // namespace korvel::cli
