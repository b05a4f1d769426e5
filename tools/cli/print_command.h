#pragma once
// print: the five pages of the printout into a PDF file, painted offscreen
// by the layout the window prints with. Built where Qt is (korvel_cli_print).

#include <string>

#include "command_streams.h"

namespace korvel::cli {

struct PrintOptions {
  std::string in;   // channel data file
  std::string out;  // PDF file
  std::string pageSize = "A4";  // or Letter, in any case
};

// Returns the exit status. Runs without a display: with no platform named,
// Qt's offscreen one.
int PrintPdf(const PrintOptions& options, const CommandStreams& streams);

}  // namespace korvel::cli
