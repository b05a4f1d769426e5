#include "model/channel_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/channel_table.h"
#include "model/kov_document.h"

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

TEST_F(ChannelFileTest, LongFileLoadsItsFirstImageBytes) {
  std::vector<std::uint8_t> bytes(3000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i ^ 0x5A);
  WriteBytes(Path("long.sin"), bytes);
  MemoryImage image = NewImage();
  ASSERT_TRUE(LoadChannelFile(Path("long.sin"), image));
  EXPECT_TRUE(std::equal(image.begin(), image.end(), bytes.begin()));
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

TEST_F(ChannelFileTest, NewThenSaveWritesTheEmptyChannelPatternAndDefaults) {
  CKovDoc doc;
  doc.OnNewDocument();
  doc.FillFromImage();
  doc.SetModified();
  ASSERT_TRUE(doc.OnSaveDocument(Path("new.sin")));
  EXPECT_FALSE(doc.IsModified());
  const auto bytes = ReadBytes(Path("new.sin"));
  ASSERT_EQ(bytes.size(), kImageSize);
  const std::uint8_t empty[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                  0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC5, 0xFE, 0xFF};
  for (std::size_t i = 0; i < 0x800; ++i) ASSERT_EQ(bytes[i], empty[i % 16]) << i;
  const MemoryImage defaults = NewImage();
  for (std::size_t i = 0x800; i < kImageSize; ++i) EXPECT_EQ(bytes[i], defaults[i]) << i;
}

TEST_F(ChannelFileTest, DocumentOpenFailureChangesNothing) {
  CKovDoc doc;
  doc.Image() = Pattern();
  doc.SetPathName("/somewhere/else.sin");
  doc.SetModified();
  EXPECT_FALSE(doc.OnOpenDocument(Path("missing.sin")));
  EXPECT_EQ(doc.Image(), Pattern());
  EXPECT_EQ(doc.PathName(), "/somewhere/else.sin");
  EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace korvel
