#pragma once
// Channels through the clipboard: rows and rectangles of cells copied as
// tab-separated text, and text from a spreadsheet, a text editor or a CSV
// file pasted into the working copy. A paste is all or nothing: every cell
// is checked as typing checks it before any cell changes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channel_table.h"

namespace korvel {

using CellBlock = std::vector<std::vector<std::string>>;  // lines of cells

// Clipboard text of rows first..last: each row's ten texts, tab-separated,
// "\n" after every line — what spreadsheets paste as rows. An empty row
// copies as ten empty cells, and pastes back as an empty channel.
std::string CopyRowsText(const ChannelTable& channels, int firstRow, int lastRow);
// Clipboard text of a rectangle of cells (rows top..bottom, grid columns
// left..right), in the same form.
std::string CopyCellsText(const ChannelTable& channels, int top, int left, int bottom, int right);

// Clipboard text as cells: tab-separated when the text holds a tab, else
// comma-separated (rows copied from a CSV file in a text editor), both with
// CSV quoting; lines end in "\r\n" or "\n", and the end of the text is no
// extra line. A first line whose first cell is "Channel" or "CH" (any case)
// is a header and skipped; a line of 11 cells whose first is a channel
// number 1..128 (a line of a channel CSV file) loses that number.
CellBlock ParseClipboardText(std::string_view text);

// A channel number 1..128 written as digits (blanks around them allowed).
std::optional<int> ReadChannelNumber(std::string_view text);

// A pasted text checked for grid column 1..10: a frequency as typing checks
// it (outside the bar's band is no fault), a tone the tone table names or an
// entry of the column's option list, in any case. An empty text is accepted.
struct CheckedCell {
  std::string text;    // what the cell stores: the "%3.5f" frequency, the list's own name
  std::string reason;  // why the text is refused; empty when accepted
};
CheckedCell CheckPastedCell(int column, std::string_view text);

struct CellRefusal {
  int row;     // the channel the cell was going to (past 128 for a block running off the table)
  int column;  // grid column 1..10 (or beyond)
  std::string text;
  std::string reason;
};

struct PasteOutcome {
  std::vector<CellRefusal> refusals;
  int firstRow = 0;  // the rows pasted into; 0 when nothing was pasted
  int lastRow = 0;
  bool Applied() const { return refusals.empty(); }
};

// Pastes block with its first cell at (row, column). Any refused cell (and
// any text falling outside the table) refuses the whole paste: nothing
// changes. Otherwise line by line into consecutive rows, each as typing
// commits: frequencies first, so a row is in use when its tones and options
// land (a row's first frequency brings the new-row texts, which cells the
// line leaves empty or does not reach keep); an empty frequency cell clears
// that frequency and a row left without any is empty; empty tone and option
// cells change nothing. A line of ten cells with both frequencies empty
// thus empties its channel.
PasteOutcome PasteCells(ChannelTable& channels, int row, int column, const CellBlock& block);

// The user's message for refused cells: a line saying nothing was pasted,
// then e.g. "Channel 12, Rx Tone: \"89.9\" — No such tone ..." per cell, the
// first kListedRefusals at most (see FirstRefusals).
std::string DescribePasteRefusals(const std::vector<CellRefusal>& refusals);

}  // namespace korvel
