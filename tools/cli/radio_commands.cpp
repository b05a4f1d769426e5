#include "cli_commands.h"

namespace korvel::cli {

void RegisterRadioCommands(CLI::App& /*app*/, int& /*status*/) {}

}  // namespace korvel::cli
