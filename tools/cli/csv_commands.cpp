#include "csv_commands.h"

#include "model/channel_csv.h"
#include "model/kov_document.h"
#include "model/refusal_list.h"

namespace korvel::cli {

int ExportCsv(const ExportCsvOptions& options, const CommandStreams& streams) {
  CKovDoc document;
  if (!OpenChannelFile(document, options.in, streams.err)) return kFailure;
  const ChannelListText list = ExportChannelList(document.Channels(), options.layout);
  if (!list.refusal.empty()) {
    WriteLine(streams.err, list.refusal);
    return Fail(streams.err, options.out + " was not written.");
  }
  return Report(SaveTextFile(options.out, list.csv), streams.err) ? 0 : kFailure;
}

int ImportCsv(const ImportCsvOptions& options, const CommandStreams& streams) {
  CKovDoc document;
  if (!OpenChannelFile(document, options.in, streams.err)) return kFailure;
  std::string csv;
  if (!Report(LoadTextFile(options.csv, csv), streams.err)) return kFailure;
  const CsvImportOutcome outcome = ImportChannelsCsv(document, csv, options.replaceAll);
  if (!outcome.Applied()) {
    // The refusals the window lists, each a line of its own: a file of
    // thousands of bad lines would bury the first ones.
    for (const std::string& line : FirstRefusals(outcome.refusals, DescribeCsvRefusal))
      Fail(streams.err, options.csv + ": " + line);
    return Fail(streams.err, "nothing was imported and " + options.out + " was not written.");
  }
  // Saving runs the grid collection first.
  if (!Report(document.OnSaveDocument(options.out), streams.err)) return kFailure;
  // Without the "; " that leads each note.
  const std::string notes = DescribeImportNotes(outcome);
  if (!notes.empty()) WriteLine(streams.err, "korvel-cli: note: " + options.csv + ": " + notes.substr(2));
  return 0;
}

}  // namespace korvel::cli
