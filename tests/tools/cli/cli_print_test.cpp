// korvel-cli print in-process, with no display and no platform named. The
// printout's pages themselves are checked through the window's print path;
// here: the paper size, the page count and a PDF that cannot be written.

#include "print_command.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "command_run.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel::test {
namespace {

TEST(CliPrint, WritesFivePagesOfThePaperSizeWithoutADisplay) {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) ::unsetenv(name);
  TempDir dir;
  WriteImage(dir.File("n.sin"), NewImage());
  struct Row {
    const char* pageSize;
    const char* output;
    int status;
    std::string mediaBox;  // of each of the five pages; empty: no PDF
  };
  const Row rows[] = {
      {"A4", "a4.pdf", 0, "/MediaBox [0 0 595.000000 842.000000]"},
      {"letter", "letter.pdf", 0, "/MediaBox [0 0 612.000000 792.000000]"},
      {"A4", "no/such/folder.pdf", 1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.output);
    const CommandRun r = RunCommand(cli::PrintPdf, {dir.File("n.sin"), dir.File(row.output), row.pageSize});
    EXPECT_EQ(r.status, row.status) << r.err;
    const std::string pdf = ReadFile(dir.File(row.output));
    if (row.mediaBox.empty()) {
      EXPECT_TRUE(pdf.empty());
      EXPECT_NE(r.err.find("korvel-cli: "), std::string::npos) << r.err;
      continue;
    }
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    std::size_t pages = 0;
    for (std::size_t at = pdf.find(row.mediaBox); at != std::string::npos; at = pdf.find(row.mediaBox, at + 1)) ++pages;
    EXPECT_EQ(pages, 5u);
  }
}

}  // namespace
}  // namespace korvel::test
