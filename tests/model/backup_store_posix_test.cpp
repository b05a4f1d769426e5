// Where backups go on Linux, and that nobody else may look into them.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

#include "model/backup_store.h"
#include "scoped_env.h"
#include "temp_dir.h"

namespace korvel {
namespace {

using test::ScopedEnv;

TEST(BackupStore, MakesItsFoldersForTheUserAlone) {
  test::TempDir dir;
  ASSERT_TRUE(BackupStore(dir.File("data/Korvel/backups")).Prepare());
  for (const std::string& made : {dir.File("data"), dir.File("data/Korvel"), dir.File("data/Korvel/backups")}) {
    struct stat st {};
    ASSERT_EQ(::stat(made.c_str(), &st), 0) << made;
    EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
  }
}

TEST(BackupStore, DefaultFolderFollowsTheDataHome) {
  const ScopedEnv home("HOME", "/home/ann");
  struct Case {
    std::optional<std::string> dataHome;
    const char* folder;
  };
  const Case cases[] = {
      {"/data/ann", "/data/ann/Korvel/backups"},
      {std::nullopt, "/home/ann/.local/share/Korvel/backups"},
      {"", "/home/ann/.local/share/Korvel/backups"},
      {"relative/data", "/home/ann/.local/share/Korvel/backups"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dataHome.value_or("(unset)"));
    const ScopedEnv dataHome("XDG_DATA_HOME", c.dataHome);
    EXPECT_EQ(BackupStore::DefaultFolder(), c.folder);
  }
}

}  // namespace
}  // namespace korvel
