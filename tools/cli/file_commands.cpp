#include "cli_commands.h"

namespace korvel::cli {

void RegisterFileCommands(CLI::App& /*app*/, int& /*status*/) {}

}  // namespace korvel::cli
