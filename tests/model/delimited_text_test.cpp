// Cells written with RFC 4180 quoting read back as they were.

#include "model/delimited_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvel {
namespace {

TEST(DelimitedText, QuotedCellsReadBackUnchanged) {
  const struct {
    std::vector<std::string> cells;
    char delimiter;
    std::string written;  // the line, cells quoted and joined
  } cases[] = {
      {{"146.52000", "QT/DQT", ""}, ',', "146.52000,QT/DQT,"},
      {{"a,b", "say \"hi\"", "two\r\nlines"}, ',', "\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\""},
      {{" padded ", "tab\tinside"}, ',', "\" padded \",tab\tinside"},
      {{"tab\tinside", "a,b"}, '\t', "\"tab\tinside\"\ta,b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    std::string line;
    for (std::size_t i = 0; i < c.cells.size(); ++i)
      line += (i == 0 ? std::string() : std::string(1, c.delimiter)) + QuoteCell(c.cells[i], c.delimiter);
    EXPECT_EQ(line, c.written);
    const DelimitedText read = ReadDelimitedText(line + "\r\n", c.delimiter, true);
    ASSERT_EQ(read.lines.size(), 1u);
    EXPECT_EQ(read.lines[0].cells, c.cells);
    EXPECT_EQ(read.faultLine, 0);
  }
}

}  // namespace
}  // namespace korvel
