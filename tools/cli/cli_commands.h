#pragma once
// Sub-commands of korvel-cli, grouped by what they work on.

#include <CLI/CLI.hpp>
#include <string>

#include "model/status.h"

namespace korvel {
class CKovDoc;
}

namespace korvel::cli {

// Exit status of a command that failed: its message is on standard error.
inline constexpr int kFailure = 1;

// --retries: how many Retry answers a script gives, a whole number 0..1000.
CLI::Validator RetryCount();
// The message for a command line CLI11 refuses, with a hint where a file
// name that begins with a dash was taken for an option.
std::string FailureMessage(const CLI::App* app, const CLI::Error& error);

// Prints a failure's message on standard error; whether result is a
// success.
bool Report(const Status& result);

// Opens the file as the window does: the document loads it and the grid
// fill puts it into the working copy. False (reported) when it fails; a
// file longer than an image gets a warning.
bool OpenChannelFile(CKovDoc& document, const std::string& path);

// new, resave, channels, settings: channel data files.
void RegisterFileCommands(CLI::App& app, int& status);
// export-csv, import-csv: channel lists as CSV files.
void RegisterCsvCommands(CLI::App& app, int& status);
// print: the printout as a PDF (built where Qt is).
void RegisterPrintCommand(CLI::App& app, int& status);
// read, write, align: the radio on a serial port.
void RegisterRadioCommands(CLI::App& app, int& status);

}  // namespace korvel::cli
