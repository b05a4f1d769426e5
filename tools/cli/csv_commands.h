#pragma once
// export-csv, import-csv: channel lists as CSV files, exchanged with a
// channel data file as the window exchanges them with the grid. Each
// returns the command's exit status.

#include <string>

#include "command_streams.h"
#include "model/interchange_csv.h"

namespace korvel::cli {

struct ExportCsvOptions {
  std::string in;   // channel data file
  std::string out;  // CSV file
  ChannelLayout layout = ChannelLayout::Korvel;
};
// A layout that refuses channels writes nothing and lists them on err.
int ExportCsv(const ExportCsvOptions& options, const CommandStreams& streams);

struct ImportCsvOptions {
  std::string in;   // channel data file
  std::string csv;  // CSV channel list
  std::string out;  // channel data file written
  bool replaceAll = false;  // empty every channel first
};
// Any refused cell writes nothing; every refusal is listed on err. What an
// interchange list had that the file cannot keep is said on err.
int ImportCsv(const ImportCsvOptions& options, const CommandStreams& streams);

}  // namespace korvel::cli
