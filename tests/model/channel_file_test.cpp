#include "model/channel_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/atomic_file.h"
#include "model/channel_table.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

class ChannelFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("korvel-file-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
  }
  static std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static MemoryImage Pattern() {
    MemoryImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) image[i] = static_cast<std::uint8_t>(i * 7);
    return image;
  }
  fs::path dir_;
};

TEST_F(ChannelFileTest, SaveWritesExactlyTheImageAndLoadReadsItBack) {
  const MemoryImage image = Pattern();
  ASSERT_TRUE(SaveChannelFile(Path("a.sin"), image));
  const auto bytes = ReadBytes(Path("a.sin"));
  ASSERT_EQ(bytes.size(), kImageSize);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), image.begin()));
  MemoryImage loaded = NewImage();
  ASSERT_TRUE(LoadChannelFile(Path("a.sin"), loaded));
  EXPECT_EQ(loaded, image);
  // No temporary files are left beside the target.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ChannelFileTest, LongFileLoadsItsFirstImageBytesAndTellsItsSize) {
  std::vector<std::uint8_t> bytes(3000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i ^ 0x5A);
  WriteBytes(Path("long.sin"), bytes);
  MemoryImage image = NewImage();
  std::uintmax_t size = 0;
  ASSERT_TRUE(LoadChannelFile(Path("long.sin"), image, &size));
  EXPECT_TRUE(std::equal(image.begin(), image.end(), bytes.begin()));
  EXPECT_EQ(size, 3000u);
  EXPECT_NE(LongFileNotice(Path("long.sin"), size).find("3000 bytes"), std::string::npos);
}

// Only a regular file is read: a FIFO must not block the open, a device
// must not load as endless data.
TEST_F(ChannelFileTest, RefusesWhatIsNotARegularFileWithItsReason) {
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  fs::create_directory(Path("folder.sin"));
  const struct {
    std::string path;
    const char* reason;
  } cases[] = {
      {Path("fifo"), "not a regular file"},
      {"/dev/zero", "not a regular file"},
      {Path("folder.sin"), "Is a directory"},
      {Path("missing.sin"), "No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    MemoryImage image = Pattern();
    const Status loaded = LoadChannelFile(c.path, image);
    EXPECT_FALSE(loaded);
    EXPECT_NE(loaded.message.find(c.reason), std::string::npos) << loaded.message;
    EXPECT_NE(loaded.message.find(c.path), std::string::npos) << loaded.message;
    EXPECT_EQ(image, Pattern());
  }
}

// Where a save goes and what it refuses; nothing it leaves behind looks
// like a save.
TEST_F(ChannelFileTest, SaveReplacesTheFileALinkNamesAndRefusesWhatItMayNotReplace) {
  ASSERT_TRUE(SaveChannelFile(Path("real.sin"), NewImage()));
  fs::create_symlink("real.sin", Path("link.sin"));
  fs::create_symlink("nowhere.sin", Path("dangling.sin"));
  fs::create_symlink("loop-b.sin", Path("loop-a.sin"));
  fs::create_symlink("loop-a.sin", Path("loop-b.sin"));
  ASSERT_TRUE(SaveChannelFile(Path("readonly.sin"), NewImage()));
  ::chmod(Path("readonly.sin").c_str(), 0444);
  const std::string longName(255 - 4, 'n');
  const struct {
    std::string path;
    std::string written;  // the file that then holds the image; "" when refused
    const char* reason;
  } cases[] = {
      {Path("link.sin"), Path("real.sin"), ""},
      {Path("dangling.sin"), Path("nowhere.sin"), ""},
      {Path((longName + ".sin").c_str()), Path((longName + ".sin").c_str()), ""},
      {Path("readonly.sin"), "", "Permission denied"},
      {Path("loop-a.sin"), "", "Too many levels of symbolic links"},
      {Path("no-folder/x.sin"), "", "No such file or directory"},
      {"/", "", "Is a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const Status saved = SaveChannelFile(c.path, Pattern());
    if (c.written.empty()) {
      EXPECT_FALSE(saved);
      EXPECT_NE(saved.message.find(c.reason), std::string::npos) << saved.message;
    } else {
      ASSERT_TRUE(saved) << saved.message;
      const auto bytes = ReadBytes(c.written);
      ASSERT_EQ(bytes.size(), kImageSize);
      EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), Pattern().begin()));
    }
  }
  EXPECT_TRUE(fs::is_symlink(Path("link.sin"))) << "the link stays a link";
  EXPECT_TRUE(fs::is_symlink(Path("dangling.sin")));
  const auto readonly = ReadBytes(Path("readonly.sin"));
  EXPECT_TRUE(std::equal(readonly.begin(), readonly.end(), NewImage().begin())) << "a read-only file is untouched";
  for (const auto& entry : fs::directory_iterator(dir_))
    EXPECT_NE(entry.path().filename().string().front(), '.') << "left behind: " << entry.path();
}

// A save killed before it completes leaves the old file and nothing a
// user would take for a save; a stale temporary of a killed save goes.
TEST_F(ChannelFileTest, AnAbandonedSaveLeavesNothingAndStaleTemporariesGo) {
  ASSERT_TRUE(SaveChannelFile(Path("keep.sin"), Pattern()));
  {
    AtomicFile abandoned;
    ASSERT_TRUE(abandoned.Prepare(Path("keep.sin")));
  }
  const std::string stale = Path((std::string(kTemporaryPrefix) + "old").c_str());
  WriteBytes(stale, std::vector<std::uint8_t>(kImageSize, 0x11));
  const fs::file_time_type old = fs::last_write_time(stale) - std::chrono::hours(1);
  fs::last_write_time(stale, old);
  ASSERT_TRUE(SaveChannelFile(Path("keep.sin"), NewImage()));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ChannelFileTest, FailedLoadsLeaveTheImageExactlyAsItWas) {
  WriteBytes(Path("short.sin"), std::vector<std::uint8_t>(kImageSize - 1, 0x00));
  WriteBytes(Path("empty.sin"), {});
  const MemoryImage original = Pattern();
  for (const char* name : {"short.sin", "empty.sin", "missing.sin", ""}) {
    MemoryImage image = original;
    const Status result = LoadChannelFile(Path(name), image);
    EXPECT_FALSE(result) << name;
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(image, original) << name;
  }
  MemoryImage image = original;
  const Status r = LoadChannelFile(Path("short.sin"), image);
  EXPECT_NE(r.message.find("2111"), std::string::npos) << r.message;
}

TEST_F(ChannelFileTest, FailedSaveKeepsThePreviousFile) {
  const MemoryImage old = Pattern();
  ASSERT_TRUE(SaveChannelFile(Path("keep.sin"), old));
  if (::geteuid() == 0) {
    // Root writes into read-only directories; a path through a regular
    // file fails for everyone.
    const Status r = SaveChannelFile(Path("keep.sin") + "/x.sin", NewImage());
    EXPECT_FALSE(r);
  } else {
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(SaveChannelFile(Path("keep.sin"), NewImage()));
    fs::permissions(dir_, fs::perms::owner_all);
  }
  // A target that is a directory cannot be replaced either.
  fs::create_directory(Path("dir.sin"));
  EXPECT_FALSE(SaveChannelFile(Path("dir.sin"), NewImage()));
  EXPECT_TRUE(fs::is_directory(Path("dir.sin")));
  const auto bytes = ReadBytes(Path("keep.sin"));
  ASSERT_EQ(bytes.size(), kImageSize);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), old.begin()));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(ChannelFileTest, SaveKeepsThePermissionsOfTheFileItReplaces) {
  ASSERT_TRUE(SaveChannelFile(Path("mode.sin"), Pattern()));
  ::chmod(Path("mode.sin").c_str(), 0640);
  ASSERT_TRUE(SaveChannelFile(Path("mode.sin"), NewImage()));
  struct stat st {};
  ASSERT_EQ(::stat(Path("mode.sin").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace korvel
