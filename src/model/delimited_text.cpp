#include "delimited_text.h"

#include <csv.h>

#include <utility>

namespace korvel {
namespace {

// "\r\n", "\n" and a lone "\r" each end one line.
int CountLineBreaks(std::string_view text) {
  int breaks = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++breaks;
  }
  return breaks;
}

// Collects what the parser reports. With CSV_REPALL_NL every line break
// outside a cell ends a line, so blank lines keep their place; the '\n' of
// a "\r\n" comes as a line of its own and is dropped here.
class LineCollector {
 public:
  static void OnCell(void* data, std::size_t size, void* self) {
    auto& collector = *static_cast<LineCollector*>(self);
    std::string cell = size == 0 ? std::string() : std::string(static_cast<const char*>(data), size);
    collector.breaksInCells_ += CountLineBreaks(cell);
    collector.cells_.push_back(std::move(cell));
  }

  static void OnLineEnd(int ending, void* self) {
    auto& collector = *static_cast<LineCollector*>(self);
    const bool blank = collector.cells_.empty();
    const bool secondHalf = blank && ending == '\n' && collector.lastEnding_ == '\r';
    collector.lastEnding_ = secondHalf ? 0 : ending;
    if (secondHalf) return;
    if (blank) collector.cells_.emplace_back();
    collector.text_.lines.push_back({collector.line_, std::move(collector.cells_)});
    collector.cells_.clear();
    collector.line_ += 1 + collector.breaksInCells_;
    collector.breaksInCells_ = 0;
  }

  DelimitedText& Text() { return text_; }
  // The line the line being read starts on.
  int Line() const { return line_; }

 private:
  DelimitedText text_;
  std::vector<std::string> cells_;
  int line_ = 1;
  int breaksInCells_ = 0;
  int lastEnding_ = 0;
};

class Parser {
 public:
  Parser(unsigned char options, char delimiter) {
    csv_init(&parser_, options);
    csv_set_delim(&parser_, static_cast<unsigned char>(delimiter));
  }
  ~Parser() { csv_free(&parser_); }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;

  csv_parser* get() { return &parser_; }

 private:
  csv_parser parser_{};
};

}  // namespace

DelimitedText ReadDelimitedText(std::string_view text, char delimiter, bool strict) {
  const unsigned char options = CSV_REPALL_NL | (strict ? CSV_STRICT | CSV_STRICT_FINI : 0);
  Parser parser(options, delimiter);
  LineCollector collector;
  const std::size_t read =
      csv_parse(parser.get(), text.data(), text.size(), LineCollector::OnCell, LineCollector::OnLineEnd, &collector);
  DelimitedText& result = collector.Text();
  if (read < text.size()) {
    // The parser stopped on the character at fault.
    result.faultLine = 1 + CountLineBreaks(text.substr(0, read));
    result.fault = csv_error(parser.get()) == CSV_EPARSE
                       ? "A quote stands inside a cell that does not begin with one, or text follows a closing quote."
                       : csv_strerror(csv_error(parser.get()));
    return std::move(result);
  }
  const int lastLine = collector.Line();
  if (csv_fini(parser.get(), LineCollector::OnCell, LineCollector::OnLineEnd, &collector) != 0) {
    result.faultLine = lastLine;
    result.fault = "A quoted cell that begins on this line is never closed.";
  }
  return std::move(result);
}

std::string QuoteCell(std::string_view cell, char delimiter) {
  const bool blankEnd = !cell.empty() && (cell.front() == ' ' || cell.front() == '\t' || cell.back() == ' ' ||
                                          cell.back() == '\t');
  if (!blankEnd && cell.find_first_of(std::string{delimiter, '"', '\r', '\n'}) == std::string_view::npos)
    return std::string(cell);
  std::string quoted(csv_write(nullptr, 0, cell.data(), cell.size()), '\0');
  csv_write(quoted.data(), quoted.size(), cell.data(), cell.size());
  return quoted;
}

}  // namespace korvel
