// korvel-cli print in-process, with no display and no platform named. The
// printout's pages themselves are checked through the window's print path;
// here: the paper size, the page count, and targets that cannot take the
// PDF, or any other file a command saves.

#include "print_command.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

#include "command_run.h"
#include "csv_commands.h"
#include "file_commands.h"
#include "model/backup_store.h"
#include "small_disk.h"
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
    std::string mediaBox;  // of each of the five pages
  };
  const Row rows[] = {
      {"A4", "a4.pdf", "/MediaBox [0 0 595.000000 842.000000]"},
      {"letter", "letter.pdf", "/MediaBox [0 0 612.000000 792.000000]"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.output);
    const CommandRun r = RunCommand(cli::PrintPdf, {dir.File("n.sin"), dir.File(row.output), row.pageSize});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string pdf = ReadFile(dir.File(row.output));
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    std::size_t pages = 0;
    for (std::size_t at = pdf.find(row.mediaBox); at != std::string::npos; at = pdf.find(row.mediaBox, at + 1)) ++pages;
    EXPECT_EQ(pages, 5u);
  }
}

// Each entry of a folder: its name, and the size and a hash of its bytes.
std::map<std::string, std::string> Contents(const std::filesystem::path& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string bytes = entry.is_regular_file() ? ReadFile(entry.path()) : "(not a file)";
    entries[entry.path().filename()] =
        std::to_string(bytes.size()) + " #" + std::to_string(std::hash<std::string>{}(bytes));
  }
  return entries;
}

// Whatever a command saves (the PDF, a CSV export, a .sin, a backup) goes in
// whole or not at all: a target that cannot take it is refused at once (a
// FIFO never waits for a reader) with the file, the system's reason and a
// non-zero exit status; an old file stays byte for byte, a new one never
// appears, and nothing is left behind.
TEST(CliPrint, EverySaveRefusesWholeATargetThatCannotTakeIt) {
  TempDir dir;
  const std::string in = dir.File("in.sin");
  WriteImage(in, ChannelListImage(3));
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  WriteFile(dir.File("read-only"), "old");
  ::chmod(dir.File("read-only").c_str(), 0444);
  std::filesystem::create_directory(dir.File("folder"));
  const auto backup = [](const std::string& path) {  // names its own file in the folder
    const Status kept = BackupStore(std::filesystem::path(path).parent_path())
                            .Keep(NewImage(), "KR-300", std::chrono::system_clock::now());
    return CommandRun{kept ? 0 : 1, "", kept.message};
  };
  const std::pair<std::string, std::function<CommandRun(const std::string&)>> outputs[] = {
      {"print", [&](const std::string& out) { return RunCommand(cli::PrintPdf, {in, out}); }},
      {"export-csv", [&](const std::string& out) { return RunCommand(cli::ExportCsv, {in, out}); }},
      {"resave", [&](const std::string& out) { return RunCommand(cli::ResaveChannelFile, {in, out}); }},
      {"new", [&](const std::string& out) { return RunCommand(cli::NewChannelFile, {out}); }},
      {"backup", backup},
  };
  SmallDisk disk;
  const std::filesystem::path diskFolder = std::filesystem::path(disk.File("x")).parent_path();
  for (const auto& [name, save] : outputs) WriteFile(disk.File("old-" + name), "old " + name);
  disk.Fill();
  const struct {
    std::string path;  // on the disk: how the output's file name starts
    const char* reason;
    bool onDisk = false;
  } targets[] = {
      {"old-", "No space left on device", true}, {"new-", "No space left on device", true},
      {dir.File("fifo"), "not a regular file"},  {"/dev/null", "not a regular file"},
      {"/dev/full", "not a regular file"},       {dir.File("read-only"), "Permission denied"},
      {dir.File("folder"), "Is a directory"},    {dir.File("no/such/folder"), "No such file or directory"},
  };
  for (const auto& [name, save] : outputs) {
    for (const auto& target : targets) {
      if (target.onDisk ? !disk.Mounted() : name == "backup") continue;
      const std::string path = target.onDisk ? disk.File(target.path + name) : target.path;
      SCOPED_TRACE(name + " to " + path);
      const auto before = std::pair(Contents(dir.Path()), Contents(diskFolder));
      const CommandRun r = save(path);
      EXPECT_NE(r.status, 0);
      EXPECT_NE(r.err.find(name == "backup" ? diskFolder.string() : path), std::string::npos) << r.err;
      EXPECT_NE(r.err.find(target.reason), std::string::npos) << r.err;
      EXPECT_EQ(std::pair(Contents(dir.Path()), Contents(diskFolder)), before);
    }
  }
  if (!disk.Mounted()) GTEST_SKIP() << "no full disk rows: " << disk.Why();
}

}  // namespace
}  // namespace korvel::test
