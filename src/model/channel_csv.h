#pragma once
// Channel lists as CSV files, for spreadsheets and scripts. A file is UTF-8
// (the texts are ASCII) with RFC 4180 quoting and "\r\n" line ends, RFC
// 4180's own, which every spreadsheet reads; reading takes "\n" and "\r"
// too. It starts with the header naming the columns, then one line per
// channel in use; empty channels are left out.

#include <string>
#include <string_view>
#include <vector>

#include "channel_table.h"
#include "kov_document.h"
#include "text_file.h"

namespace korvel {

inline constexpr const char* kChannelCsvHeader =
    "Channel,Receive,Transmit,Rx Tone,Tx Tone,W/N,Scan,Tx Power,Opt Signal,PTTID,BusyLock";

// The header, then per channel in use its number and its ten texts.
std::string ExportChannelsCsv(const ChannelTable& channels);
// The channels an export writes: those with a frequency, ascending.
std::vector<int> ChannelsInUse(const ChannelTable& channels);

struct CsvRefusal {
  int line;            // line of the file, from 1
  std::string column;  // the header's name of the column; empty for a whole line
  std::string text;
  std::string reason;
};

struct CsvImportOutcome {
  std::vector<CsvRefusal> refusals;
  std::vector<int> channels;  // the channels the file's lines set, ascending
  // What an interchange list had that the channels do not show: its
  // locations were numbered from 0 (each channel is one more), and the
  // names its lines gave.
  bool numberedFromZero = false;
  int namesDropped = 0;
  bool Applied() const { return refusals.empty(); }
};

// A checked line of a channel list: the channel it sets and what goes into
// grid columns 1..10; an empty text leaves a tone or option as it is.
struct ChannelLine {
  int channel;
  std::vector<std::string> texts;
};

// Imports channels from csv into the document's working copy, all or
// nothing. A header naming a Location column is the interchange layout's
// (ReadInterchangeLines); otherwise it is this program's own. First every
// line is checked: the header (the first line that is not blank) must name
// the columns, in any order and any case, among them
// Channel, Receive and Transmit (tone and option columns may be left out);
// each line names a channel 1..128 that no other line names, and each cell
// is checked as a pasted cell is. Any refusal (a quoting fault too) imports
// nothing and lists every refused cell. Otherwise, when replaceAll, every
// channel is emptied first (EmptyChannels); then each named channel is set
// as a paste of its line at its Receive cell would set it, so a line whose
// frequencies are both empty empties the channel. Channels no line names
// keep what they have. Blank lines are skipped.
CsvImportOutcome ImportChannelsCsv(CKovDoc& document, std::string_view csv, bool replaceAll);

// One refusal as "Line 4, Rx Tone: \"89.9\" — No such tone ...", the cell's
// text escaped and cut as RefusalLine shows it.
std::string DescribeCsvRefusal(const CsvRefusal& refusal);

// Ascending channel numbers as runs: "1-5, 9, 12-14".
std::string ChannelRanges(const std::vector<int>& channels);
// What an import of channels (ascending) did, for the message pane:
// "Imported 12 channels (1-12) from radio.csv", then " and emptied the
// others" when it replaced every channel.
std::string DescribeCsvImport(const std::vector<int>& channels, std::string_view fileName, bool replaceAll);
// "Exported 30 channels to radio.csv".
std::string DescribeCsvExport(std::size_t channels, std::string_view fileName);
// What an applied import's notes say, each after "; ": "; 3 names
// dropped" (the radio keeps none) and "; numbered from 0, each moved up
// one"; empty without notes. Short, for the message pane.
std::string DescribeImportNotes(const CsvImportOutcome& outcome);

// The user's message for refusals: a line saying nothing was imported, then
// one per refusal, the first kListedRefusals at most (see FirstRefusals).
std::string DescribeCsvRefusals(const std::vector<CsvRefusal>& refusals);

}  // namespace korvel
