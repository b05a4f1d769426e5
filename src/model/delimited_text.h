#pragma once
// Delimited text, read and written with libcsv: CSV files and the
// tab-separated cells spreadsheets put on the clipboard. Quoting is RFC
// 4180's; a line may end in "\r\n", "\n" or "\r".

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

struct TextLine {
  int line = 0;                    // the line of the text it starts on, from 1
  std::vector<std::string> cells;  // a blank line holds one empty cell
};

struct DelimitedText {
  std::vector<TextLine> lines;
  // Where strict reading stopped (0: it did not) and why; the lines before
  // it are read.
  int faultLine = 0;
  std::string fault;
};

// Cells separated by delimiter; unquoted cells lose the blanks around them,
// and the text after the last line break is a line only when it holds
// something. Strict reading stops at a quote inside an unquoted cell, text
// after a closing quote and a quoted cell never closed; lenient reading
// takes such quotes as they come.
DelimitedText ReadDelimitedText(std::string_view text, char delimiter, bool strict);

// The cell as RFC 4180 writes it: quoted when it holds the delimiter, a
// quote or a line break, or blanks at either end that reading would drop;
// as it is otherwise.
std::string QuoteCell(std::string_view cell, char delimiter);

}  // namespace korvel
