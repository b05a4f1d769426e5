// korvel-cli: the command-line side of Korvel. Each command sets `status`
// from its callback; CLI11 reports usage errors itself.

#include <CLI/CLI.hpp>

#include "cli_commands.h"
#include "feature_options.h"

int main(int argc, char** argv) {
  CLI::App app{"Korvel command-line tool: channel data files and the radio on a serial port",
               "korvel-cli"};
  app.require_subcommand(1);
  app.failure_message(korvel::cli::FailureMessage);
  int status = 0;
  korvel::cli::RegisterFileCommands(app, status);
  korvel::cli::RegisterCsvCommands(app, status);
  korvel::cli::RegisterFeaturesCommand(app, status);
  korvel::cli::RegisterRadioCommands(app, status);
#ifdef KORVEL_HAVE_PRINT
  korvel::cli::RegisterPrintCommand(app, status);
#endif
  CLI11_PARSE(app, argc, argv);
  return status;
}
