// .sin files: what a load reads or refuses, where a save goes and what it
// refuses, and that nothing a save leaves behind looks like a save.

#include "model/channel_file.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "model/atomic_file.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::ImageFromFile;

class ChannelFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir.File(name); }
  long Entries() const { return std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()); }
  const MemoryImage pattern = test::PatternImage(5);
  test::TempDir dir;
};

// A load reads the first image bytes of a regular file and tells its size;
// a FIFO must not block it, a device must not load as endless data; every
// refusal names the file and its reason and leaves the image as it was.
TEST_F(ChannelFileTest, LoadsTheFirstImageBytesOrRefusesLeavingTheImageAsItWas) {
  std::string bytes(3000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i ^ 0x5A);
  test::WriteFile(Path("long.sin"), bytes);
  test::WriteFile(Path("exact.sin"), bytes.substr(0, kImageSize));
  test::WriteFile(Path("short.sin"), std::string(kImageSize - 1, '\0'));
  test::WriteFile(Path("empty.sin"), "");
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  fs::create_directory(Path("folder.sin"));
  const struct {
    std::string path;
    const char* reason;  // "" loaded
  } cases[] = {
      {Path("long.sin"), ""},
      {Path("exact.sin"), ""},
      {Path("short.sin"), "holds 2111 bytes"},
      {Path("empty.sin"), "holds 0 bytes"},
      {Path("fifo"), "not a regular file"},
      {"/dev/zero", "not a regular file"},
      {Path("folder.sin"), "Is a directory"},
      {Path("missing.sin"), "No such file or directory"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    MemoryImage image = pattern;
    std::uintmax_t size = 0;
    const Status loaded = LoadChannelFile(c.path, image, &size);
    if (*c.reason == '\0' && !c.path.empty()) {
      ASSERT_TRUE(loaded) << loaded.message;
      EXPECT_EQ(std::string(image.begin(), image.end()), bytes.substr(0, kImageSize));
      EXPECT_EQ(size, fs::file_size(c.path));
      continue;
    }
    EXPECT_FALSE(loaded);
    EXPECT_NE(loaded.message.find(c.reason), std::string::npos) << loaded.message;
    EXPECT_NE(loaded.message.find(c.path), std::string::npos) << loaded.message;
    EXPECT_EQ(image, pattern);
  }
  EXPECT_NE(LongFileNotice(Path("long.sin"), 3000).find("3000 bytes"), std::string::npos);
}

// A save replaces the file a link names, keeps the replaced file's
// permissions (and, as root, its owner) and refuses a path that leads to no
// file it may replace.
TEST_F(ChannelFileTest, SaveReplacesTheFileALinkNamesAndRefusesWhatItMayNotReplace) {
  test::WriteImage(Path("real.sin"), NewImage());
  fs::create_symlink("real.sin", Path("link.sin"));
  fs::create_symlink("nowhere.sin", Path("dangling.sin"));
  fs::create_symlink("loop-b.sin", Path("loop-a.sin"));
  fs::create_symlink("loop-a.sin", Path("loop-b.sin"));
  // Someone else's file, where the privileged user may keep it theirs.
  const bool root = ::geteuid() == 0;
  test::WriteImage(Path("mode.sin"), NewImage());
  ASSERT_TRUE(!root || ::chown(Path("mode.sin").c_str(), 12345, 12345) == 0);
  ::chmod(Path("mode.sin").c_str(), 0640);
  const std::string longName = Path(std::string(255 - 4, 'n') + ".sin");
  const struct {
    std::string path;
    std::string written;  // the file that then holds the image; "" when refused
    const char* reason;
  } cases[] = {
      {Path("new.sin"), Path("new.sin"), ""},
      {Path("link.sin"), Path("real.sin"), ""},
      {Path("dangling.sin"), Path("nowhere.sin"), ""},
      {Path("mode.sin"), Path("mode.sin"), ""},
      {longName, longName, ""},
      {Path("loop-a.sin"), "", "Too many levels of symbolic links"},
      {Path("no-folder/x.sin"), "", "No such file or directory"},
      {"/", "", "Is a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const Status saved = SaveChannelFile(c.path, pattern);
    if (c.written.empty()) {
      EXPECT_FALSE(saved);
      EXPECT_NE(saved.message.find(c.reason), std::string::npos) << saved.message;
    } else {
      ASSERT_TRUE(saved) << saved.message;
      EXPECT_EQ(ImageFromFile(c.written), pattern);
    }
  }
  EXPECT_TRUE(fs::is_symlink(Path("link.sin"))) << "the link stays a link";
  EXPECT_TRUE(fs::is_symlink(Path("dangling.sin")));
  struct stat st {};
  ASSERT_EQ(::stat(Path("mode.sin").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_TRUE(!root || (st.st_uid == 12345 && st.st_gid == 12345)) << "owner " << st.st_uid << ":" << st.st_gid;
  for (const auto& entry : fs::directory_iterator(dir.Path()))
    EXPECT_NE(entry.path().filename().string().front(), '.') << "left behind: " << entry.path();
}

// A save killed before it completes, or one that fails, leaves the old file
// and nothing a user would take for a save; a stale temporary of a killed
// save goes with the next save, a live save's stays.
TEST_F(ChannelFileTest, AnAbandonedOrFailedSaveKeepsTheOldFileAndStaleTemporariesGo) {
  ASSERT_TRUE(SaveChannelFile(Path("keep.sin"), pattern));
  {
    AtomicFile abandoned;
    ASSERT_TRUE(abandoned.Prepare(Path("keep.sin")));
  }
  EXPECT_EQ(Entries(), 1);
  if (::geteuid() == 0) {
    // Root writes into read-only folders; a path through a regular file
    // fails for everyone.
    EXPECT_FALSE(SaveChannelFile(Path("keep.sin/x.sin"), NewImage()));
  } else {
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(SaveChannelFile(Path("keep.sin"), NewImage()));
    fs::permissions(dir.Path(), fs::perms::owner_all);
  }
  EXPECT_EQ(ImageFromFile(Path("keep.sin")), pattern);
  EXPECT_EQ(Entries(), 1);

  // A temporary that no save holds is a killed save's, however new; one a
  // live save holds locked stays, however old.
  const std::string stale = Path(std::string(kTemporaryPrefix) + "killed");
  const std::string held = Path(std::string(kTemporaryPrefix) + "live");
  test::WriteImage(stale, NewImage());
  test::WriteImage(held, NewImage());
  fs::last_write_time(held, fs::last_write_time(held) - std::chrono::hours(1));
  const int live = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(live, LOCK_EX), 0);
  ASSERT_TRUE(SaveChannelFile(Path("keep.sin"), NewImage()));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(held));
  ::close(live);
  ASSERT_TRUE(SaveChannelFile(Path("keep.sin"), NewImage()));
  EXPECT_EQ(Entries(), 1);
}

}  // namespace
}  // namespace korvel
