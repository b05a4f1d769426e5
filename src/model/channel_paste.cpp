#include "channel_paste.h"

#include <algorithm>
#include <array>

#include "channel_columns.h"
#include "channel_edits.h"
#include "delimited_text.h"
#include "frequency_check.h"
#include "refusal_list.h"
#include "text_compare.h"
#include "tone_table.h"

namespace korvel {
namespace {

constexpr const char* kOutsideTableText =
    "This cell falls outside the table (channels 1 to 128, Receive to BusyLock).";

bool InTable(int row, int column) {
  return row >= 1 && row <= ChannelTable::kRows && column >= 1 && column <= ChannelTable::kColumns;
}

CheckedCell CheckOption(int column, std::string_view text) {
  const auto entries = OptionEntries(column);
  const auto entry = std::find_if(entries.begin(), entries.end(),
                                  [text](std::string_view name) { return EqualsIgnoringCase(name, text); });
  if (entry != entries.end()) return {std::string(*entry), {}};
  std::string reason = "Not in this column's list (";
  for (const std::string_view name : entries) reason += std::string(name) + (name == entries.back() ? ")." : ", ");
  return {{}, reason};
}

// The cells of one checked line, starting at column, as typing commits
// them: kept frequencies, then cleared ones (so clearing one never empties
// a row the other keeps in use), then tones and options.
void ApplyLine(ChannelTable& channels, int row, int column, const std::vector<std::string>& cells) {
  const int end = std::min(column + static_cast<int>(cells.size()), ChannelTable::kColumns + 1);
  const auto text = [&](int c) -> const std::string& { return cells[static_cast<std::size_t>(c - column)]; };
  for (const bool kept : {true, false}) {
    for (int c = std::max(column, 1); c < end && IsFrequencyColumn(c); ++c) {
      if (text(c).empty() != kept) SetFrequency(channels, row, c, text(c));
    }
  }
  for (int c = std::max(column, kFirstToneColumn); c < end; ++c) {
    if (text(c).empty()) continue;
    if (IsToneColumn(c)) {
      CommitTone(channels, row, c, text(c));
    } else {
      CommitOption(channels, row, c, text(c));
    }
  }
}

}  // namespace

std::string CopyCellsText(const ChannelTable& channels, int top, int left, int bottom, int right) {
  std::string text;
  for (int row = std::max(top, 1); row <= std::min(bottom, ChannelTable::kRows); ++row) {
    for (int column = std::max(left, 1); column <= std::min(right, ChannelTable::kColumns); ++column) {
      if (column > std::max(left, 1)) text += '\t';
      text += QuoteCell(channels.Cell(row, column), '\t');
    }
    text += '\n';
  }
  return text;
}

std::string CopyRowsText(const ChannelTable& channels, int firstRow, int lastRow) {
  return CopyCellsText(channels, firstRow, 1, lastRow, ChannelTable::kColumns);
}

CellBlock ParseClipboardText(std::string_view text) {
  const char delimiter = text.find('\t') != std::string_view::npos ? '\t' : ',';
  DelimitedText read = ReadDelimitedText(text, delimiter, false);
  CellBlock block;
  block.reserve(read.lines.size());
  for (TextLine& line : read.lines) {
    std::vector<std::string>& cells = line.cells;
    const bool header = &line == &read.lines.front() &&
                        (EqualsIgnoringCase(cells.front(), "Channel") || EqualsIgnoringCase(cells.front(), "CH"));
    if (header) continue;
    if (cells.size() == ChannelTable::kColumns + 1 && ReadChannelNumber(cells.front())) cells.erase(cells.begin());
    block.push_back(std::move(cells));
  }
  return block;
}

std::optional<int> ReadChannelNumber(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text.size() > 3 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const int number = std::stoi(std::string(text));
  if (number < 1 || number > ChannelTable::kRows) return std::nullopt;
  return number;
}

CheckedCell CheckPastedCell(int column, std::string_view text) {
  if (text.empty()) return {};
  if (column < 1 || column > ChannelTable::kColumns) return {{}, kOutsideTableText};
  if (IsFrequencyColumn(column)) {
    FrequencyReading reading = ReadFrequency(text);
    if (!reading.Accepted()) return {{}, reading.Refusal()};
    return {std::move(reading.text), {}};
  }
  if (IsToneColumn(column)) {
    const ToneTable& tones = ToneTable::Instance();
    const std::optional<int> entry = tones.IndexOf(text);
    if (!entry) return {{}, kUnknownToneText};
    return {tones.Name(*entry), {}};
  }
  return CheckOption(column, text);
}

PasteOutcome PasteCells(ChannelTable& channels, int row, int column, const CellBlock& block) {
  PasteOutcome outcome;
  CellBlock checked(block.size());
  for (std::size_t i = 0; i < block.size(); ++i) {
    const int r = row + static_cast<int>(i);
    for (std::size_t j = 0; j < block[i].size(); ++j) {
      const int c = column + static_cast<int>(j);
      const std::string& text = block[i][j];
      // An empty cell outside the table (after a trailing tab) has nothing
      // to lose, and stays out of it.
      CheckedCell cell =
          InTable(r, c) || text.empty() ? CheckPastedCell(c, text) : CheckedCell{{}, kOutsideTableText};
      if (!cell.reason.empty()) {
        outcome.refusals.push_back({r, c, text, std::move(cell.reason)});
      } else {
        checked[i].push_back(std::move(cell.text));
      }
    }
  }
  if (!outcome.refusals.empty() || block.empty()) return outcome;
  outcome.firstRow = std::max(row, 1);
  outcome.lastRow = std::min(row + static_cast<int>(block.size()) - 1, ChannelTable::kRows);
  for (std::size_t i = 0; i < checked.size(); ++i) {
    const int r = row + static_cast<int>(i);
    if (r >= 1 && r <= ChannelTable::kRows) ApplyLine(channels, r, column, checked[i]);
  }
  return outcome;
}

std::string DescribePasteRefusals(const std::vector<CellRefusal>& refusals) {
  const auto describe = [](const CellRefusal& refusal) {
    return RefusalLine("Channel " + std::to_string(refusal.row) + ", " + ColumnName(refusal.column), refusal.text,
                       refusal.reason);
  };
  return ListRefusals("Nothing was pasted: " + CountOf(refusals.size(), "cell is", "cells are") + " refused.",
                      FirstRefusals(refusals, describe));
}

}  // namespace korvel
