// bench_channels: the channel list operations on all 128 channels, each run
// many times on the same input: a paste (the clipboard text of 128 rows
// split into cells, then pasted into an empty table), an export to CSV and
// an import from CSV that replaces every channel, and the undo of a 128-row
// paste (the document put back from the change the paste made), and a sort
// of 128 channels by receive frequency (records moved with their texts).
// Prints the median and the slowest run of each.
//
//   bench_channels [--repeat N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/channel_columns.h"
#include "model/channel_csv.h"
#include "model/channel_paste.h"
#include "model/channel_sort.h"
#include "model/document_state.h"
#include "model/interchange_csv.h"
#include "model/number_text.h"
#include "model/tone_table.h"

namespace {

using namespace korvel;
using Clock = std::chrono::steady_clock;

// 128 rows in use, every text of them set, as a spreadsheet would paste.
std::string ClipboardRows() {
  const ToneTable& tones = ToneTable::Instance();
  std::string text;
  for (int row = 1; row <= ChannelTable::kRows; ++row) {
    const auto units = static_cast<std::uint32_t>(13600000 + row * 1250);
    text += FormatFrequency(units) + '\t' + FormatFrequency(units + 60000);
    text += '\t' + tones.Name(row % ToneTable::kCount) + '\t' + tones.Name(row * 7 % ToneTable::kCount);
    for (int column = kFirstOptionColumn; column <= kLastOptionColumn; ++column) {
      const auto entries = OptionEntries(column);
      text += '\t' + std::string(entries[static_cast<std::size_t>(row) % entries.size()]);
    }
    text += '\n';
  }
  return text;
}

// 128 lines in the interchange layout, as a file from another program
// writes them: names, offsets, each Tone form, watts.
std::string InterchangeLines() {
  // Tone to DtcsPolarity, and CrossMode.
  const char* const tones[][2] = {{",,88.5,88.5,023,NN", ""},
                                  {",Tone,88.5,88.5,023,NN", ""},
                                  {",TSQL,88.5,100.0,023,NN", ""},
                                  {",DTCS,88.5,88.5,754,RN", ""},
                                  {",Cross,88.5,100.0,025,NR", "Tone->DTCS"}};
  std::string csv = std::string(kInterchangeHeader) + "\r\n";
  for (int row = 1; row <= ChannelTable::kRows; ++row) {
    csv += std::to_string(row) + ",Memory " + std::to_string(row) + "," +
           FormatFixed((13600000 + row * 1250) * 0.00001, 0, 6) + (row % 2 ? ",+,0.600000" : ",,0.000000") +
           tones[row % 5][0] + ",FM,12.50,,," + tones[row % 5][1] + (row % 3 ? ",5.0W" : ",1.0W") + "\r\n";
  }
  return csv;
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "bench_channels: %s\n", what.c_str());
  std::exit(1);
}

// Runs prepare (untimed) and then the timed step, repeat times; prints the
// median and the slowest in microseconds.
void Measure(const char* name, int repeat, const std::function<void()>& prepare, const std::function<void()>& step) {
  std::vector<double> micros;
  micros.reserve(static_cast<std::size_t>(repeat));
  for (int i = 0; i < repeat; ++i) {
    prepare();
    const Clock::time_point start = Clock::now();
    step();
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(micros.begin(), micros.end());
  std::printf("%-40s median %9.1f us   slowest %9.1f us   (%d runs)\n", name, micros[micros.size() / 2],
              micros.back(), repeat);
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 1001;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else {
      std::fprintf(stderr, "usage: bench_channels [--repeat N]\n");
      return 2;
    }
  }

  const std::string clipboard = ClipboardRows();
  std::optional<ChannelTable> table;
  Measure(
      "paste 128 rows (parse + PasteCells)", repeat, [&] { table.emplace(); },
      [&] {
        const PasteOutcome outcome = PasteCells(*table, 1, 1, ParseClipboardText(clipboard));
        if (!outcome.Applied()) Fail(DescribePasteRefusals(outcome.refusals));
      });

  std::string csv;
  Measure(
      "export 128 channels to CSV", repeat, [] {}, [&] { csv = ExportChannelsCsv(*table); });

  CKovDoc document;
  document.OnNewDocument();
  document.FillFromImage();
  Measure(
      "import 128 channels from CSV (replace)", repeat, [] {},
      [&] {
        const CsvImportOutcome outcome = ImportChannelsCsv(document, csv, true);
        if (outcome.channels.size() != ChannelTable::kRows) Fail(DescribeCsvRefusals(outcome.refusals));
      });

  const std::string interchange = InterchangeLines();
  Measure(
      "import 128 interchange lines (replace)", repeat, [] {},
      [&] {
        const CsvImportOutcome outcome = ImportChannelsCsv(document, interchange, true);
        if (outcome.channels.size() != ChannelTable::kRows) Fail(DescribeCsvRefusals(outcome.refusals));
      });
  Measure(
      "export 128 channels, interchange layout", repeat, [] {},
      [&] {
        if (ExportInterchangeCsv(document.Channels()).csv.empty()) Fail("the interchange export was refused");
      });

  // The change a 128-row paste into a new document made, as undo keeps it.
  CKovDoc pasted;
  pasted.OnNewDocument();
  pasted.FillFromImage();
  const DocumentState before = CaptureState(pasted);
  PasteCells(pasted.Channels(), 1, 1, ParseClipboardText(clipboard));
  const std::optional<StateChange> change = StateChange::Between(before, CaptureState(pasted));
  if (!change) Fail("the paste changed nothing");
  Measure(
      "undo a 128-row paste (capture + undo)", repeat, [&] { change->Redo(pasted); },
      [&] {
        CaptureState(pasted);
        change->Undo(pasted);
      });

  // The pasted channels put in falling order of receive frequency (untimed),
  // then sorted rising.
  CKovDoc sorted;
  sorted.OnNewDocument();
  sorted.FillFromImage();
  PasteCells(sorted.Channels(), 1, 1, ParseClipboardText(clipboard));
  const int receive = ColumnOf(kRxFrequency);
  Measure(
      "sort 128 channels by receive", repeat,
      [&] { SortAllChannels(sorted, receive, SortDirection::Descending); },
      [&] {
        if (!SortAllChannels(sorted, receive, SortDirection::Ascending)) Fail("the sort moved nothing");
      });
  std::printf("CSV size: %zu bytes\n", csv.size());
  return 0;
}
