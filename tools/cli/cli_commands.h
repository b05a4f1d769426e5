#pragma once
// Sub-commands of korvel-cli, grouped by what they work on.

#include <CLI/CLI.hpp>

namespace korvel::cli {

// Exit status of a command that failed: its message is on standard error.
inline constexpr int kFailure = 1;

// new, resave, channels, settings: channel data files.
void RegisterFileCommands(CLI::App& app, int& status);
// read, write, align: the radio on a serial port.
void RegisterRadioCommands(CLI::App& app, int& status);

}  // namespace korvel::cli
