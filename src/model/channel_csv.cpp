#include "channel_csv.h"

#include <algorithm>
#include <array>
#include <optional>

#include "channel_columns.h"
#include "channel_paste.h"
#include "channel_rows.h"
#include "delimited_text.h"
#include "interchange_csv.h"
#include "refusal_list.h"
#include "text_compare.h"

namespace korvel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kChannelName = "Channel";
constexpr int kChannelColumn = 0;  // where the header's columns are kept: 0, then grid columns 1..10
constexpr int kNoColumn = -1;
const std::string kColumnList = kChannelCsvHeader;

// The header constant is the channel column followed by kColumnNames.
constexpr bool HeaderNamesTheColumns() {
  std::string_view header = kChannelCsvHeader;
  if (!header.starts_with(kChannelName)) return false;
  header.remove_prefix(kChannelName.size());
  for (const std::string_view name : kColumnNames) {
    if (!header.starts_with(",") || !header.substr(1).starts_with(name)) return false;
    header.remove_prefix(1 + name.size());
  }
  return header.empty();
}
static_assert(HeaderNamesTheColumns());

bool IsBlank(const TextLine& line) {
  return std::all_of(line.cells.begin(), line.cells.end(), [](const std::string& cell) { return cell.empty(); });
}

int ColumnNamed(std::string_view name) {
  if (EqualsIgnoringCase(name, kChannelName)) return kChannelColumn;
  for (int column = 1; column <= ChannelTable::kColumns; ++column) {
    if (EqualsIgnoringCase(name, kColumnNames[static_cast<std::size_t>(column - 1)])) return column;
  }
  return kNoColumn;
}

std::string NameOf(int column) { return column == kChannelColumn ? std::string(kChannelName) : ColumnName(column); }

class CsvChecker {
 public:
  explicit CsvChecker(std::vector<CsvRefusal>& refusals) : refusals_(refusals) {}

  // Reads the header's columns; false when it cannot name them.
  bool ReadHeader(const TextLine& header) {
    const std::size_t before = refusals_.size();
    std::array<bool, ChannelTable::kColumns + 1> named{};
    for (const std::string& cell : header.cells) {
      const int column = cell.empty() ? kNoColumn : ColumnNamed(cell);
      columns_.push_back(column);
      if (column == kNoColumn) {
        if (!cell.empty()) Refuse(header.line, "", cell, "No such column; the columns are " + kColumnList + ".");
      } else if (named[static_cast<std::size_t>(column)]) {
        Refuse(header.line, NameOf(column), cell, "This column is named twice.");
      }
      if (column != kNoColumn) named[static_cast<std::size_t>(column)] = true;
    }
    if (std::none_of(named.begin(), named.end(), [](bool n) { return n; })) {
      refusals_.resize(before);
      Refuse(header.line, "", "", "The first line must be the header: " + kColumnList + ".");
      return false;
    }
    for (const int required : {kChannelColumn, ColumnOf(kRxFrequency), ColumnOf(kTxFrequency)}) {
      if (!named[static_cast<std::size_t>(required)])
        Refuse(header.line, NameOf(required), "",
               "The header has no such column; Channel, Receive and Transmit are required.");
    }
    return refusals_.size() == before;
  }

  // Checks a channel's line; nullopt when anything in it is refused.
  std::optional<ChannelLine> ReadLine(const TextLine& line) {
    const std::size_t before = refusals_.size();
    ChannelLine channel{0, std::vector<std::string>(ChannelTable::kColumns)};
    bool channelCell = false;
    for (std::size_t i = 0; i < line.cells.size(); ++i) {
      const std::string& cell = line.cells[i];
      const int column = i < columns_.size() ? columns_[i] : kNoColumn;
      if (column == kNoColumn) {
        if (!cell.empty()) Refuse(line.line, "", cell, "This cell stands under no column of the header.");
      } else if (column == kChannelColumn) {
        channelCell = true;
        channel.channel = ReadChannel(line.line, cell);
      } else {
        CheckedCell checked = CheckPastedCell(column, cell);
        if (!checked.reason.empty()) Refuse(line.line, NameOf(column), cell, checked.reason);
        channel.texts[static_cast<std::size_t>(column - 1)] = std::move(checked.text);
      }
    }
    // A line too short to reach the Channel column.
    if (!channelCell) ReadChannel(line.line, "");
    if (refusals_.size() != before) return std::nullopt;
    return channel;
  }

 private:
  int ReadChannel(int line, const std::string& text) {
    const std::optional<int> channel = ReadChannelNumber(text);
    if (!channel) {
      Refuse(line, NameOf(kChannelColumn), text, "A channel is a number from 1 to 128.");
      return 0;
    }
    int& first = lineOf_[static_cast<std::size_t>(*channel - 1)];
    if (first != 0) {
      Refuse(line, NameOf(kChannelColumn), text,
             "Channel " + std::to_string(*channel) + " is already on line " + std::to_string(first) + ".");
      return 0;
    }
    first = line;
    return *channel;
  }

  void Refuse(int line, std::string column, std::string text, std::string reason) {
    refusals_.push_back({line, std::move(column), std::move(text), std::move(reason)});
  }

  std::vector<CsvRefusal>& refusals_;
  std::vector<int> columns_;  // per header cell: kChannelColumn, a grid column or kNoColumn
  std::array<int, ChannelTable::kRows> lineOf_{};  // line naming each channel; 0: none yet
};

}  // namespace

std::vector<int> ChannelsInUse(const ChannelTable& channels) {
  std::vector<int> rows;
  for (int row = 1; row <= ChannelTable::kRows; ++row) {
    if (channels.HasFrequency(row)) rows.push_back(row);
  }
  return rows;
}

std::string ExportChannelsCsv(const ChannelTable& channels) {
  std::string csv = std::string(kChannelCsvHeader) + std::string(kLineEnd);
  for (const int row : ChannelsInUse(channels)) {
    csv += std::to_string(row);
    for (const std::string& text : channels.Row(row).text) csv += "," + QuoteCell(text, ',');
    csv += kLineEnd;
  }
  return csv;
}

CsvImportOutcome ImportChannelsCsv(CKovDoc& document, std::string_view csv, bool replaceAll) {
  CsvImportOutcome outcome;
  const DelimitedText read = ReadDelimitedText(csv, ',', true);
  std::vector<const TextLine*> lines;
  for (const TextLine& line : read.lines) {
    if (!IsBlank(line)) lines.push_back(&line);
  }
  CsvChecker checker(outcome.refusals);
  std::vector<ChannelLine> channels;
  if (lines.empty() && read.faultLine == 0) {
    outcome.refusals.push_back(
        {1, "", "", "The file is empty; a channel list begins with the header " + kColumnList + "."});
  } else if (!lines.empty() && IsInterchangeHeader(*lines.front())) {
    channels = ReadInterchangeLines(lines, outcome);
  } else if (!lines.empty() && checker.ReadHeader(*lines.front())) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
      if (std::optional<ChannelLine> line = checker.ReadLine(*lines[i])) channels.push_back(std::move(*line));
    }
  }
  if (read.faultLine != 0) outcome.refusals.push_back({read.faultLine, "", "", read.fault});
  if (!outcome.refusals.empty()) return outcome;

  if (replaceAll) EmptyChannels(document, 1, ChannelTable::kRows);
  for (const ChannelLine& line : channels) {
    PasteCells(document.Channels(), line.channel, ColumnOf(kRxFrequency), {line.texts});
  }
  for (const ChannelLine& line : channels) outcome.channels.push_back(line.channel);
  std::sort(outcome.channels.begin(), outcome.channels.end());
  return outcome;
}

std::string ChannelRanges(const std::vector<int>& channels) {
  std::string text;
  for (std::size_t first = 0; first < channels.size();) {
    std::size_t last = first;
    while (last + 1 < channels.size() && channels[last + 1] == channels[last] + 1) ++last;
    if (!text.empty()) text += ", ";
    text += std::to_string(channels[first]);
    if (last > first) text += "-" + std::to_string(channels[last]);
    first = last + 1;
  }
  return text;
}

std::string DescribeCsvImport(const std::vector<int>& channels, std::string_view fileName, bool replaceAll) {
  std::string text = "Imported " + CountOf(channels.size(), "channel", "channels");
  if (!channels.empty()) text += " (" + ChannelRanges(channels) + ")";
  text += " from " + std::string(fileName);
  if (replaceAll) text += " and emptied the others";
  return text;
}

std::string DescribeCsvExport(std::size_t channels, std::string_view fileName) {
  return "Exported " + CountOf(channels, "channel", "channels") + " to " + std::string(fileName);
}

std::string DescribeImportNotes(const CsvImportOutcome& outcome) {
  // The names first: they are what the radio loses.
  std::string notes;
  if (outcome.namesDropped > 0)
    notes += "; " + CountOf(static_cast<std::size_t>(outcome.namesDropped), "name", "names") + " dropped";
  if (outcome.numberedFromZero) notes += "; numbered from 0, each moved up one";
  return notes;
}

std::string DescribeCsvRefusal(const CsvRefusal& refusal) {
  std::string place = "Line " + std::to_string(refusal.line);
  if (!refusal.column.empty()) place += ", " + refusal.column;
  return RefusalLine(place, refusal.text, refusal.reason);
}

std::string DescribeCsvRefusals(const std::vector<CsvRefusal>& refusals) {
  return ListRefusals("Nothing was imported: " + CountOf(refusals.size(), "problem", "problems") + " in the file.",
                      FirstRefusals(refusals, DescribeCsvRefusal));
}

}  // namespace korvel
