// export-csv, import-csv: channel lists as CSV files, exchanged with a
// channel data file as the window exchanges them with the grid.

#include <iostream>
#include <memory>
#include <string>

#include "cli_commands.h"
#include "model/channel_csv.h"
#include "model/kov_document.h"

namespace korvel::cli {
namespace {

int ExportCsv(const std::string& in, const std::string& out) {
  CKovDoc document;
  if (!OpenChannelFile(document, in)) return kFailure;
  return Report(SaveTextFile(out, ExportChannelsCsv(document.Channels()))) ? 0 : kFailure;
}

int ImportCsv(const std::string& in, const std::string& csvPath, const std::string& out, bool replaceAll) {
  CKovDoc document;
  if (!OpenChannelFile(document, in)) return kFailure;
  std::string csv;
  if (!Report(LoadTextFile(csvPath, csv))) return kFailure;
  const CsvImportOutcome outcome = ImportChannelsCsv(document, csv, replaceAll);
  if (!outcome.Applied()) {
    // Every refusal, not the window's screenful: a script's user fixes them all at once.
    for (const CsvRefusal& refusal : outcome.refusals)
      std::cerr << "korvel-cli: " << csvPath << ": " << DescribeCsvRefusal(refusal) << '\n';
    std::cerr << "korvel-cli: nothing was imported and " << out << " was not written.\n";
    return kFailure;
  }
  // Saving runs the grid collection first.
  return Report(document.OnSaveDocument(out)) ? 0 : kFailure;
}

// The options live as long as the App: CLI11 keeps pointers to them.
struct CsvOptions {
  std::string exportIn, exportOut, importIn, importCsv, importOut;
  bool replaceAll = false;
};

}  // namespace

void RegisterCsvCommands(CLI::App& app, int& status) {
  auto o = std::make_shared<CsvOptions>();

  auto* cmd_export =
      app.add_subcommand("export-csv", "Write the channels in use of a channel data file as a CSV channel list");
  cmd_export->add_option("FILE", o->exportIn, "Channel data file to read (.sin)")->required();
  cmd_export->add_option("-o,--output", o->exportOut, "CSV file to write")->required();
  cmd_export->callback([&status, o] { status = ExportCsv(o->exportIn, o->exportOut); });

  auto* cmd_import = app.add_subcommand(
      "import-csv", "Set the channels a CSV channel list names in a channel data file, and save it as -o; "
                    "any refused cell writes nothing");
  cmd_import->add_option("FILE", o->importIn, "Channel data file to read (.sin)")->required();
  cmd_import->add_option("CSV", o->importCsv, "CSV channel list to read")->required();
  cmd_import->add_option("-o,--output", o->importOut, "Channel data file to write")->required();
  cmd_import->add_flag("--replace", o->replaceAll, "Empty every channel first, so only the listed ones stay in use");
  cmd_import->callback(
      [&status, o] { status = ImportCsv(o->importIn, o->importCsv, o->importOut, o->replaceAll); });
}

}  // namespace korvel::cli
