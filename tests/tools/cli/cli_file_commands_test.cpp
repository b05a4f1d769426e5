// korvel-cli's file commands, run as the user runs them.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/channel_file.h"
#include "model/channel_record.h"
#include "model/channel_table.h"
#include "test_files.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::CountLines;

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bin = std::getenv("KORVEL_TEST_BINARY_DIR");
    ASSERT_NE(bin, nullptr);
    cli_ = fs::path(bin) / "tools" / "cli" / "korvel-cli";
    ASSERT_TRUE(fs::exists(cli_)) << cli_;
    dir_ = fs::temp_directory_path() /
           ("korvel-cli-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // prefix: a command the tool runs under, such as env.
  RunResult Run(const std::string& args, const std::string& prefix = "") const {
    const std::string out = Path("stdout.txt"), err = Path("stderr.txt");
    const std::string command = prefix + cli_.string() + " " + args + " >" + out + " 2>" + err + " </dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
  }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, sep)) parts.push_back(part);
    if (!text.empty() && text.back() == sep && sep != '\n') parts.push_back("");
    return parts;
  }
  MemoryImage RandomImage(std::uint32_t seed) const {
    std::mt19937 rng(seed);
    MemoryImage image;
    for (auto& b : image) b = static_cast<std::uint8_t>(rng());
    return image;
  }

  fs::path cli_;
  fs::path dir_;
};

TEST_F(CliTest, NewWritesTheEmptyChannelPatternAndTheDefaults) {
  const RunResult r = Run("new " + Path("n.sin"));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = Slurp(Path("n.sin"));
  ASSERT_EQ(bytes.size(), kImageSize);
  const unsigned char empty[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                   0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC5, 0xFE, 0xFF};
  for (std::size_t i = 0; i < 0x800; ++i) ASSERT_EQ(static_cast<unsigned char>(bytes[i]), empty[i % 16]) << i;
  const MemoryImage defaults = NewImage();
  for (std::size_t i = 0x800; i < kImageSize; ++i)
    EXPECT_EQ(static_cast<unsigned char>(bytes[i]), defaults[i]) << i;
}

TEST_F(CliTest, ChannelsListsTheGridTextsOfAnyImage) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    const MemoryImage image = RandomImage(seed);
    ASSERT_TRUE(SaveChannelFile(Path("r.sin"), image));
    const RunResult all = Run("channels --all " + Path("r.sin"));
    ASSERT_EQ(all.status, 0) << all.err;
    const auto lines = Split(all.out, '\n');
    ASSERT_EQ(lines.size(), 128u);
    int inUse = 0;
    for (int row = 1; row <= 128; ++row) {
      const auto fields = Split(lines[static_cast<std::size_t>(row - 1)], '\t');
      ASSERT_EQ(fields.size(), 11u) << lines[static_cast<std::size_t>(row - 1)];
      EXPECT_EQ(fields[0], std::to_string(row));
      const ChannelTexts texts = DecodeChannel(ChannelRecordOf(image, row));
      for (int k = 0; k < 10; ++k) EXPECT_EQ(fields[static_cast<std::size_t>(k + 1)], texts[k]) << row << ":" << k;
      if (!texts.AllEmpty()) ++inUse;
    }
    const RunResult used = Run("channels " + Path("r.sin"));
    ASSERT_EQ(used.status, 0);
    EXPECT_EQ(static_cast<int>(Split(used.out, '\n').size()), inUse);
  }
}

TEST_F(CliTest, ResaveWritesWhatOpenThenSaveAsWrites) {
  const MemoryImage image = RandomImage(42);
  ASSERT_TRUE(SaveChannelFile(Path("in.sin"), image));
  const RunResult r = Run("resave " + Path("in.sin") + " " + Path("out.sin"));
  ASSERT_EQ(r.status, 0) << r.err;
  MemoryImage saved{};
  ASSERT_TRUE(LoadChannelFile(Path("out.sin"), saved));
  ASSERT_EQ(Slurp(Path("out.sin")).size(), kImageSize);
  // The same bytes as the grid fill followed by the grid collection.
  MemoryImage expected = image;
  ChannelTable table;
  table.Fill(expected);
  table.Collect(expected);
  EXPECT_EQ(saved, expected);
  EXPECT_EQ(saved[0x811], 0xA8);
  // Bytes no editor names are carried unchanged.
  for (std::size_t i : {0x800u, 0x809u, 0x80Cu, 0x81Au, 0x81Bu, 0x83Fu}) EXPECT_EQ(saved[i], image[i]) << i;
  for (int row = 1; row <= 128; ++row) EXPECT_EQ(saved[(row - 1) * 16 + 15], image[(row - 1) * 16 + 15]);
}

TEST_F(CliTest, ResaveOfRadioDataKeepsEveryChannelText) {
  MemoryImage image = NewImage();
  const std::uint8_t ch1[16] = {0x00, 0x20, 0x65, 0x14, 0x00, 0x20, 0x65, 0x14,
                                0x85, 0x08, 0x23, 0x80, 0x02, 0x3A, 0x01, 0x77};
  const std::uint8_t ch9[16] = {0x25, 0x06, 0x50, 0x14, 0xFF, 0xFF, 0xFF, 0xFF,
                                0xFF, 0xFF, 0x54, 0xC7, 0x04, 0xC4, 0xFE, 0x00};
  std::copy(std::begin(ch1), std::end(ch1), image.begin());
  std::copy(std::begin(ch9), std::end(ch9), image.begin() + 8 * 16);
  ASSERT_TRUE(SaveChannelFile(Path("in.sin"), image));
  ASSERT_EQ(Run("resave " + Path("in.sin") + " " + Path("out.sin")).status, 0);
  const RunResult before = Run("channels " + Path("in.sin"));
  const RunResult after = Run("channels " + Path("out.sin"));
  EXPECT_EQ(after.out, before.out);
  EXPECT_EQ(Split(after.out, '\n').size(), 2u);
  EXPECT_NE(after.out.find("9\t145.00625\t\tOFF\tD754I\tNarrow\tNo\tLow\tFleetSync\tOFF\tQT/DQT"),
            std::string::npos)
      << after.out;
  MemoryImage saved{};
  ASSERT_TRUE(LoadChannelFile(Path("out.sin"), saved));
  EXPECT_TRUE(std::equal(std::begin(ch1), std::end(ch1), saved.begin()));
}

TEST_F(CliTest, BadInputsWriteNothingAndFail) {
  std::ofstream(Path("short.sin"), std::ios::binary) << std::string(100, '\0');
  for (const std::string& in : {Path("short.sin"), Path("missing.sin")}) {
    const RunResult r = Run("resave " + in + " " + Path("out.sin"));
    EXPECT_NE(r.status, 0);
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(fs::exists(Path("out.sin")));
    EXPECT_NE(Run("channels " + in).status, 0);
    EXPECT_NE(Run("settings " + in).status, 0);
  }
  const RunResult unwritable = Run("new " + Path("no/such/dir/n.sin"));
  EXPECT_NE(unwritable.status, 0);
  EXPECT_NE(unwritable.err.find("Cannot save"), std::string::npos) << unwritable.err;
  EXPECT_NE(Run("").status, 0);
  EXPECT_NE(Run("frobnicate").status, 0);
}

TEST_F(CliTest, SettingsShowsTheBar) {
  MemoryImage image = NewImage();
  image[0x80A] = 0xEF;  // 136 - 174MHz
  image[0x80B] = 0x3A;  // KR - 300
  image[0x812] = 0x03;  // manual Close
  ASSERT_TRUE(SaveChannelFile(Path("s.sin"), image));
  const RunResult r = Run("settings " + Path("s.sin"));
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line : {"Model: KR - 300\n", "Frequency band: 136 - 174MHz\n", "Manual setting: Close\n",
                           "Radio type byte: 0xFF\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
}

// A radio's image: channels and unnamed settings bytes that the grid would
// rewrite, transmit flags with both VOX bits set, the features at New's values.
MemoryImage RadioImage() {
  std::mt19937 rng(7);
  MemoryImage image;
  for (auto& b : image) b = static_cast<std::uint8_t>(rng());
  const MemoryImage defaults = NewImage();
  std::copy(defaults.begin() + 0x812, defaults.begin() + 0x819, image.begin() + 0x812);
  std::fill(image.begin() + 0x820, image.end(), 0xFF);
  image[0x810] = 0xC5;
  return image;
}

TEST_F(CliTest, FeaturesStoresWhatOkStoresAndCopiesEveryOtherByte) {
  struct Row {
    std::string options;
    std::vector<std::pair<std::size_t, std::string>> changes;  // offset, bytes
  };
  // Each option once: every one of them owns other bytes or bits.
  const Row rows[] = {
      {"", {}},
      {"--tot 270 --squelch 7 --beep off --scrambler off --battery-save ON --language chinese --vox-gain off"
       " --vox-delay 1.5 --ptt-id-begin on --ptt-id-end on --ani 9fA0 --name korVel",
       {{0x810, "\x35"}, {0x812, "\x87\x07\x09"}, {0x815, std::string("\0\x03", 2)}, {0x820, "9FA0"},
        {0x830, "KORVEL"}}},
  };
  const MemoryImage image = RadioImage();
  ASSERT_TRUE(SaveChannelFile(Path("in.sin"), image));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.options);
    const RunResult r = Run("features " + Path("in.sin") + " -o " + Path("out.sin") + " " + row.options);
    ASSERT_EQ(r.status, 0) << r.err;
    MemoryImage expected = image;
    expected[0x810] = 0x05;  // both VOX bits cleared by every OK
    for (const auto& [offset, bytes] : row.changes) std::copy(bytes.begin(), bytes.end(), expected.begin() + offset);
    EXPECT_EQ(Slurp(Path("out.sin")), std::string(expected.begin(), expected.end()));
  }
}

TEST_F(CliTest, FeaturesRefusesWhatTheDialogWouldNotStoreAndWritesNothing) {
  MemoryImage longAni = NewImage();
  std::copy_n("ABCDE", 5, longAni.begin() + 0x820);
  ASSERT_TRUE(SaveChannelFile(Path("new.sin"), NewImage()));
  ASSERT_TRUE(SaveChannelFile(Path("long.sin"), longAni));
  const struct {
    const char* in;
    const char* options;
    const char* error;
  } rows[] = {
      {"new.sin", "--squelch 10", "--squelch: \"10\" is not one of 0|1|2|3|4|5|6|7|8|9"},
      {"new.sin", "--beep yes", "--beep: \"yes\" is not one of on|off"},
      {"new.sin", "--ani 12345", "--ani: ANI holds at most 4 characters; it has 5."},
      {"new.sin", "--name A.B", "--name: Radio Name takes only the characters 0-9 and A-Z."},
      {"long.sin", "--squelch 3", "ANI holds at most 4 characters; it has 5. Give a shorter one with --ani."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.options);
    const RunResult r = Run("features " + Path(row.in) + " -o " + Path("out.sin") + " " + row.options);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(row.error), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(Path("out.sin")));
  }
  ASSERT_EQ(Run("features " + Path("long.sin") + " -o " + Path("out.sin") + " --ani abc").status, 0);
  EXPECT_NE(Run("settings " + Path("out.sin")).out.find("ANI code: ABC\n"), std::string::npos);
}

TEST_F(CliTest, SettingsPrintsTheValuesFeaturesTakes) {
  ASSERT_TRUE(SaveChannelFile(Path("in.sin"), NewImage()));
  const RunResult set = Run("features " + Path("in.sin") + " -o " + Path("out.sin") +
                            " --tot 270 --squelch 0 --beep off --scrambler off --battery-save off --language chinese"
                            " --vox-gain OFF --vox-delay 3.0 --ptt-id-begin on --ptt-id-end on --ani F1 --name Z9");
  ASSERT_EQ(set.status, 0) << set.err;
  const RunResult r = Run("settings " + Path("out.sin"));
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line :
       {"Time-out timer (s): 270", "Squelch level: 0", "Beep: off", "Scrambler activation: off", "Battery save: off",
        "Voice language: Chinese", "VOX gain level: OFF", "VOX delay time (s): 3.0", "PTT ID at begin of Tx: on",
        "PTT ID at end of Tx: on", "ANI code: F1", "Radio name: Z9"})
    EXPECT_EQ(CountLines(r.out, line), 1) << line << "\n" << r.out;
}

// A refused command line or file says what is wrong, in the system's words
// where the system refused, and writes nothing.
TEST_F(CliTest, RefusalsSayWhatIsWrong) {
  fs::create_symlink(Path("loop-b.sin"), Path("loop-a.sin"));
  fs::create_symlink(Path("loop-a.sin"), Path("loop-b.sin"));
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  ASSERT_EQ(Run("new " + Path("long.sin")).status, 0);
  std::ofstream(Path("long.sin"), std::ios::app) << "TRAILER";
  const struct {
    std::string args;
    std::string says;
    bool ok;  // exit status 0
  } cases[] = {
      {"read --port X -o " + Path("r.sin") + " --retries -1", "--retries: must be a whole number from 0 to 1000", false},
      {"read --port X -o " + Path("r.sin") + " --retries abc", "--retries: must be a whole number from 0 to 1000",
       false},
      {"write --port X -radio.sin", "A file name that begins with '-' goes after --", false},
      {"channels " + Path("loop-a.sin"), "Too many levels of symbolic links", false},
      {"channels " + Path("fifo"), "not a regular file", false},
      {"new /", "Cannot save \"/\": Is a directory", false},
      {"channels " + Path("long.sin"), "warning: \"" + Path("long.sin") + "\" holds 2119 bytes", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const RunResult r = Run(c.args);
    EXPECT_EQ(r.status == 0, c.ok) << r.status;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(Path("r.sin")));
}

#ifdef KORVEL_HAVE_PRINT
// The printout's pages themselves are checked through the window's print
// path; here: the paper size, the page count and the refusals, run with no
// display and no platform named.
TEST_F(CliTest, PrintWritesFivePagesOfThePaperSizeWithoutADisplay) {
  ASSERT_EQ(Run("new " + Path("n.sin")).status, 0);
  struct Row {
    const char* options;
    const char* output;
    int status;
    std::string mediaBox;  // of each of the five pages; empty: no PDF
  };
  const Row rows[] = {
      {"", "a4.pdf", 0, "/MediaBox [0 0 595.000000 842.000000]"},
      {"--page-size letter", "letter.pdf", 0, "/MediaBox [0 0 612.000000 792.000000]"},
      {"--page-size B5", "b5.pdf", 105, ""},
      {"", "no/such/folder.pdf", 1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.output);
    const RunResult r = Run(std::string("print ") + row.options + " " + Path("n.sin") + " -o " + Path(row.output),
                            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ");
    EXPECT_EQ(r.status, row.status) << r.err;
    const std::string pdf = Slurp(Path(row.output));
    if (row.mediaBox.empty()) {
      EXPECT_TRUE(pdf.empty());
      EXPECT_FALSE(r.err.empty());
      continue;
    }
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    std::size_t pages = 0;
    for (std::size_t at = pdf.find(row.mediaBox); at != std::string::npos; at = pdf.find(row.mediaBox, at + 1)) ++pages;
    EXPECT_EQ(pages, 5u);
  }
}
#endif

// diff: the differences on standard output, and an exit status that says
// equal (0), different (1) or trouble (2, the reason on standard error).
TEST_F(CliTest, DiffExitStatusSaysEqualDifferentOrTrouble) {
  const MemoryImage image = NewImage();
  MemoryImage changed = image;
  changed[0x813] = 7;  // squelch level
  ASSERT_TRUE(SaveChannelFile(Path("a.sin"), image));
  ASSERT_TRUE(SaveChannelFile(Path("same.sin"), image));
  ASSERT_TRUE(SaveChannelFile(Path("b.sin"), changed));
  std::ofstream(Path("short.sin")) << "short";
  struct Case {
    std::string right;
    int status;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {"same.sin", 0, "", ""},
      {"b.sin", 1, "Squelch level: 4 -> 7\n", ""},
      {"missing.sin", 2, "", "korvel-cli: Cannot open \"" + Path("missing.sin") + "\": No such file or directory\n"},
      {"short.sin", 2, "",
       "korvel-cli: \"" + Path("short.sin") + "\" is not a channel data file: it holds 5 bytes, a channel data file "
       "holds 2112.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.right);
    const RunResult r = Run("diff " + Path("a.sin") + " " + Path(c.right));
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST_F(CliTest, HelpIsThereForTheToolAndEachCommand) {
  const RunResult top = Run("--help");
  EXPECT_EQ(top.status, 0);
  for (const char* command : {"new", "resave", "channels", "settings", "features", "diff", "export-csv", "import-csv"
#ifdef KORVEL_HAVE_PRINT
                               , "print"
#endif
      }) {
    EXPECT_NE(top.out.find(command), std::string::npos) << command;
    const RunResult sub = Run(std::string(command) + " --help");
    EXPECT_EQ(sub.status, 0) << command;
    EXPECT_NE(sub.out.find("Channel data file"), std::string::npos) << command << sub.out;
  }
}

}  // namespace
}  // namespace korvel
