// Files on Windows: a save replaces the file whole or not at all, through
// long and Unicode paths, and leaves nothing behind; a live save's
// temporary stays, a killed one's goes; backups go to the user's local
// application data.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/atomic_file.h"
#include "model/backup_store.h"
#include "model/channel_file.h"
#include "model/recent_paths.h"
#include "model/utf8_path.h"
#include "model/windows_text.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

class WindowsFilesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return Utf8FromPath(dir.Path()) + "\\" + name; }
  std::string Read(const std::string& path) const {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path())) names.push_back(Utf8FromPath(entry.path().filename()));
    return names;
  }
  const MemoryImage pattern = test::PatternImage(7);
  test::TempDir dir;
};

TEST_F(WindowsFilesTest, SaveReplacesWholeOrRefusesLeavingTheOldFile) {
  const std::string unicode = Path("Kan\xC3\xA4le \xE3\x83\x81\xE3\x83\xA3\xE3\x83\xB3.sin");
  ASSERT_TRUE(SaveChannelFile(unicode, NewImage()));
  ASSERT_TRUE(SaveChannelFile(unicode, pattern));
  MemoryImage loaded = NewImage();
  ASSERT_TRUE(LoadChannelFile(unicode, loaded));
  EXPECT_EQ(loaded, pattern);
  // The same file by another spelling counts once.
  const std::string again = Path(".\\Kan\xC3\xA4le \xE3\x83\x81\xE3\x83\xA3\xE3\x83\xB3.sin");
  RecentPaths recent({}, 4);
  for (const std::string& path : {unicode, Path("other.sin"), again}) recent.Add(path);
  EXPECT_EQ(recent.Paths(), (std::vector<std::string>{again, Path("other.sin")}));

  const std::string readOnly = Path("read-only.sin");
  ASSERT_TRUE(SaveChannelFile(readOnly, NewImage()));
  ASSERT_TRUE(::SetFileAttributesW(PathFromUtf8(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
  const struct {
    std::string path;
    std::string reason;
  } refused[] = {
      {readOnly, windows::ErrorText(ERROR_ACCESS_DENIED)},
      {Path(""), "Is a directory"},
      {Path("no-folder\\x.sin"), windows::ErrorText(ERROR_PATH_NOT_FOUND)},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.path);
    const Status saved = SaveChannelFile(c.path, pattern);
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.message, "Cannot save \"" + c.path + "\": " + c.reason);
  }
  EXPECT_EQ(Read(readOnly), test::ImageBytes(NewImage()));
  ::SetFileAttributesW(PathFromUtf8(readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
  for (const std::string& name : Entries()) EXPECT_NE(name.front(), '.') << "left behind: " << name;

  MemoryImage unchanged = pattern;
  EXPECT_FALSE(LoadChannelFile(Path("missing.sin"), unchanged));
  EXPECT_FALSE(LoadChannelFile(Utf8FromPath(dir.Path()), unchanged));
  EXPECT_EQ(unchanged, pattern);
}

// Past Windows' old 260-character limit, folders and file alike.
TEST_F(WindowsFilesTest, BackupsGoThroughLongPaths) {
  const std::string deep = Path(std::string(120, 'a') + "\\" + std::string(120, 'b') + "\\" + std::string(120, 'c'));
  BackupStore store(deep);
  std::string path;
  ASSERT_TRUE(store.Keep(pattern, "KR-300", std::chrono::system_clock::now(), &path));
  EXPECT_GT(path.size(), 400u);
  EXPECT_EQ(Read(path), test::ImageBytes(pattern));
  EXPECT_EQ(store.List().size(), 1u);
}

TEST_F(WindowsFilesTest, AKilledSavesTemporaryGoesALiveOnesStays) {
  ASSERT_TRUE(SaveChannelFile(Path("keep.sin"), pattern));
  {
    AtomicFile abandoned;
    ASSERT_TRUE(abandoned.Prepare(Path("keep.sin")));
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{"keep.sin"});
  const std::string stale = Path(std::string(kTemporaryPrefix) + "killed");
  const std::string held = Path(std::string(kTemporaryPrefix) + "live");
  test::WriteFile(stale, "partial");
  test::WriteFile(held, "partial");
  // Held as a live save holds its own: open and unshared.
  const HANDLE live = ::CreateFileW(PathFromUtf8(held).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(live, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SaveChannelFile(Path("keep.sin"), NewImage()));
  EXPECT_FALSE(fs::exists(PathFromUtf8(stale)));
  EXPECT_TRUE(fs::exists(PathFromUtf8(held)));
  ::CloseHandle(live);
  EXPECT_EQ(Read(Path("keep.sin")), test::ImageBytes(NewImage()));
}

TEST(WindowsBackupFolder, IsInTheLocalApplicationData) {
  const test::ScopedEnv data("LOCALAPPDATA", "C:\\Users\\ann\\AppData\\Local");
  EXPECT_EQ(BackupStore::DefaultFolder(), "C:\\Users\\ann\\AppData\\Local\\Korvel\\backups");
}

}  // namespace
}  // namespace korvel
