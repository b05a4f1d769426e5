#include "model/backup_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <ctime>

#include "temp_dir.h"
#include "test_files.h"

namespace korvel {
namespace {

using test::Exists;
using test::ImageFromFile;
using test::TempDir;

// 2026-12-08 14:15:03 local time, plus some seconds.
std::chrono::system_clock::time_point At(int seconds = 0) {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 11;
  local.tm_mday = 8;
  local.tm_hour = 14;
  local.tm_min = 15;
  local.tm_sec = 3 + seconds;
  local.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

TEST(BackupStore, KeepsEachBackupUnderANameOfItsOwn) {
  TempDir dir;
  const std::string folder = dir.File("data/Korvel/backups");
  BackupStore store(folder);
  struct Case {
    const char* ident;
    const char* name;
  };
  const Case cases[] = {
      {"KR-300", "2026-12-08_141503_KR-300.sin"},
      {"KR-300", "2026-12-08_141503_KR-300_2.sin"},
      {"KR-300", "2026-12-08_141503_KR-300_3.sin"},
      {"a/b c_d", "2026-12-08_141503_a-b-c-d.sin"},
      {"../up", "2026-12-08_141503_-.-up.sin"},
      {"", "2026-12-08_141503_radio.sin"},
  };
  unsigned seed = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MemoryImage image = test::PatternImage(++seed);
    std::string path;
    ASSERT_TRUE(store.Keep(image, c.ident, At(), &path));
    EXPECT_EQ(path, (std::filesystem::path(folder) / c.name).string());  // the system's separator
    EXPECT_EQ(ImageFromFile(path), image);
  }
}

TEST(BackupStore, KeepsTheNewestUpToItsLimitAndLeavesOtherFilesAlone) {
  TempDir dir;
  const std::string folder = dir.File("backups");
  BackupStore store(folder, 6);
  ASSERT_TRUE(store.Prepare());
  const std::vector<std::string> foreign = {"notes.txt", "radio.sin", "2026-12-08_141503_.sin",
                                            "2026-12-08_1415_KR-100.sin", "2026-12-08_141503_KR-100_x.sin"};
  for (const std::string& name : foreign) test::WriteFile(folder + "/" + name, "not a backup");
  // Kept out of order: the times in the names decide which go, then the
  // numbers of the suffixes (_2 .. _11) among those of one second.
  for (const int seconds : {30, 10, 50, 20, 40, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20})
    ASSERT_TRUE(store.Keep(NewImage(), "KR-100", At(seconds)));

  std::vector<std::string> kept;
  for (const BackupEntry& entry : store.List()) {
    kept.push_back(entry.path.substr(folder.size() + 1));
    EXPECT_EQ(entry.radioIdent, "KR-100");
  }
  EXPECT_EQ(kept, (std::vector<std::string>{"2026-12-08_141553_KR-100.sin", "2026-12-08_141543_KR-100.sin",
                                            "2026-12-08_141533_KR-100.sin", "2026-12-08_141523_KR-100_11.sin",
                                            "2026-12-08_141523_KR-100_10.sin", "2026-12-08_141523_KR-100_9.sin"}));
  for (const std::string& name : foreign) EXPECT_EQ(test::ReadFile(folder + "/" + name), "not a backup") << name;
}

TEST(BackupStore, AFolderThatCannotBeMadeIsAnErrorAndLeavesNoFile) {
  TempDir dir;
  test::WriteFile(dir.File("file"), "a file, not a folder");
  BackupStore store(dir.File("file/backups"));
  const Status kept = store.Keep(NewImage(), "KR-100", At());
  EXPECT_EQ(kept.message, "Cannot make the backup folder \"" + dir.File("file/backups") + "\": Not a directory");
  EXPECT_FALSE(Exists(dir.File("file/backups")));
  EXPECT_EQ(test::ReadFile(dir.File("file")), "a file, not a folder");
}

}  // namespace
}  // namespace korvel
