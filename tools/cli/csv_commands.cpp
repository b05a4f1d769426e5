#include "csv_commands.h"

#include "model/channel_csv.h"
#include "model/kov_document.h"

namespace korvel::cli {

int ExportCsv(const ExportCsvOptions& options, const CommandStreams& streams) {
  CKovDoc document;
  if (!OpenChannelFile(document, options.in, streams.err)) return kFailure;
  return Report(SaveTextFile(options.out, ExportChannelsCsv(document.Channels())), streams.err) ? 0 : kFailure;
}

int ImportCsv(const ImportCsvOptions& options, const CommandStreams& streams) {
  CKovDoc document;
  if (!OpenChannelFile(document, options.in, streams.err)) return kFailure;
  std::string csv;
  if (!Report(LoadTextFile(options.csv, csv), streams.err)) return kFailure;
  const CsvImportOutcome outcome = ImportChannelsCsv(document, csv, options.replaceAll);
  if (!outcome.Applied()) {
    // Every refusal, not the window's screenful: a script's user fixes them all at once.
    for (const CsvRefusal& refusal : outcome.refusals)
      Fail(streams.err, options.csv + ": " + DescribeCsvRefusal(refusal));
    return Fail(streams.err, "nothing was imported and " + options.out + " was not written.");
  }
  // Saving runs the grid collection first.
  return Report(document.OnSaveDocument(options.out), streams.err) ? 0 : kFailure;
}

}  // namespace korvel::cli
