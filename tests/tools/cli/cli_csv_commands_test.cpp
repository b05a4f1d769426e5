// korvel-cli export-csv and import-csv in-process: what they write, what
// they say and their exit status.

#include "csv_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "command_run.h"
#include "model/channel_csv.h"
#include "model/kov_document.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel {
namespace {

// The bytes a document opened from image holds after importing csv and
// saving.
std::string ImportedImage(const MemoryImage& image, const std::string& csv, bool replaceAll) {
  CKovDoc document;
  document.Image() = image;
  document.FillFromImage();
  if (!ImportChannelsCsv(document, csv, replaceAll).Applied()) return {};
  document.CollectIntoImage();
  return std::string(document.Image().begin(), document.Image().end());
}

TEST(CliCsv, ExportAndImportWriteFilesOrSayWhyNot) {
  test::TempDir dir;
  const MemoryImage image = test::ChannelListImage(5);
  test::WriteImage(dir.File("radio.sin"), image);
  CKovDoc document;
  document.Image() = image;
  document.FillFromImage();
  const std::string exported = ExportChannelsCsv(document.Channels());
  test::WriteFile(dir.File("radio.csv"), exported);
  const std::string edit = "Channel,Receive,Transmit\r\n3,146.52,146.52\r\n";
  test::WriteFile(dir.File("edit.csv"), edit);
  // Replacing makes a difference to this file.
  ASSERT_NE(ImportedImage(image, edit, false), ImportedImage(image, edit, true));
  test::WriteFile(dir.File("bad.csv"), "Channel,Receive,Transmit,Rx Tone\r\n3,146.52,,89.9\r\n4,600,,\r\n");
  std::string many = "Channel,Receive,Transmit\r\n";
  for (int line = 2; line <= 201; ++line) many += "0,,\r\n";
  test::WriteFile(dir.File("many.csv"), many);

  const auto exportCsv = [&](const char* out) {
    return test::RunCommand(cli::ExportCsv, {dir.File("radio.sin"), dir.File(out)});
  };
  const auto importCsv = [&](const char* csv, const char* out, bool replace = false) {
    return test::RunCommand(cli::ImportCsv, {dir.File("radio.sin"), dir.File(csv), dir.File(out), replace});
  };
  const struct {
    test::CommandRun run;
    int status;
    std::string output;    // the file the command writes
    std::string written;   // its content; empty: it must not exist
    std::vector<std::string> says;  // on standard error
    std::size_t errLines = 0;       // how many lines it says; 0: not counted
  } cases[] = {
      {exportCsv("out.csv"), 0, "out.csv", exported, {}},
      {importCsv("radio.csv", "same.sin"), 0, "same.sin", std::string(image.begin(), image.end()), {}},
      {importCsv("edit.csv", "edited.sin"), 0, "edited.sin", ImportedImage(image, edit, false), {}},
      {importCsv("edit.csv", "replaced.sin", true), 0, "replaced.sin", ImportedImage(image, edit, true), {}},
      {importCsv("bad.csv", "bad.sin"), 1, "bad.sin", "",
       {"bad.csv: Line 2, Rx Tone: \"89.9\" — No such tone.",
        "bad.csv: Line 3, Receive: \"600\" — Error Data Format",
        "nothing was imported and " + dir.File("bad.sin") + " was not written."}},
      // 200 refused lines: the first 50 and a count of the rest.
      {importCsv("many.csv", "many.sin"), 1, "many.sin", "",
       {"many.csv: Line 51, Channel: \"0\" — A channel is a number from 1 to 128.\nkorvel-cli: " +
        dir.File("many.csv") + ": and 150 more\nkorvel-cli: nothing"},
       52},
      {importCsv("missing.csv", "none.sin"), 1, "none.sin", "", {"missing.csv\": No such file or directory"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    EXPECT_EQ(c.run.status, c.status) << c.run.err;
    if (c.written.empty()) {
      EXPECT_FALSE(test::Exists(dir.File(c.output)));
    } else {
      EXPECT_EQ(test::ReadFile(dir.File(c.output)), c.written);
    }
    for (const std::string& text : c.says)
      EXPECT_NE(c.run.err.find(text), std::string::npos) << text << "\n" << c.run.err;
    if (c.says.empty()) {
      EXPECT_EQ(c.run.err, "");
    }
    if (c.errLines != 0) {
      EXPECT_EQ(static_cast<std::size_t>(std::count(c.run.err.begin(), c.run.err.end(), '\n')), c.errLines);
    }
  }
}

}  // namespace
}  // namespace korvel
