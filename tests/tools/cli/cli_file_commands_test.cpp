// korvel-cli's file commands, export-csv and import-csv among them,
// in-process: what they write to files, to standard output and error, and
// their exit status.

#include "file_commands.h"
#include "csv_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "command_run.h"
#include "features_command.h"
#include "model/channel_csv.h"
#include "model/interchange_csv.h"
#include "model/channel_record.h"
#include "model/feature_fields.h"
#include "model/kov_document.h"
#include "system_texts.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel::test {
namespace {

std::vector<std::string> Split(const std::string& text, char sep) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, sep)) parts.push_back(part);
  if (!text.empty() && text.back() == sep && sep != '\n') parts.push_back("");
  return parts;
}


TEST(CliFile, ChannelsListsTheGridTextsOfAnyImage) {
  for (unsigned seed : {1u, 2u, 3u}) {
    TempDir dir;
    const MemoryImage image = PatternImage(seed);
    WriteImage(dir.File("r.sin"), image);
    const CommandRun all = RunCommand(cli::ListChannels, {dir.File("r.sin"), true});
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
    const CommandRun used = RunCommand(cli::ListChannels, {dir.File("r.sin")});
    ASSERT_EQ(used.status, 0);
    EXPECT_EQ(static_cast<int>(Split(used.out, '\n').size()), inUse);
  }
}

// Random bytes, so that the grid rewrites some; what it keeps of each byte,
// channel texts included, is the model's (settings_test,
// channel_record_property_test).
TEST(CliFile, ResaveWritesWhatOpenThenSaveAsWrites) {
  TempDir dir;
  const MemoryImage image = PatternImage(42);
  ASSERT_NE(ThroughGrid(image), image);
  WriteImage(dir.File("in.sin"), image);
  const CommandRun r = RunCommand(cli::ResaveChannelFile, {dir.File("in.sin"), dir.File("out.sin")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ImageFromFile(dir.File("out.sin")), ThroughGrid(image));
}

// features with the values given by option name (without the dashes).
cli::FeaturesOptions Features(const std::string& in, const std::string& out,
                              const std::vector<std::pair<std::string, std::string>>& values) {
  cli::FeaturesOptions options{in, out, std::vector<std::optional<std::string>>(FeatureFields().size())};
  for (const auto& [key, value] : values) {
    for (std::size_t i = 0; i < FeatureFields().size(); ++i)
      if (FeatureFields()[i].key == key) options.values[i] = value;
  }
  return options;
}

// Each feature once, in any case.
const std::vector<std::pair<std::string, std::string>> kEveryFeature = {
    {"tot", "270"},         {"squelch", "7"},        {"beep", "off"},        {"scrambler", "off"},
    {"battery-save", "ON"}, {"language", "chinese"}, {"vox-gain", "off"},    {"vox-delay", "1.5"},
    {"ptt-id-begin", "on"}, {"ptt-id-end", "on"},    {"ani", "9fA0"},        {"name", "korVel"}};

// A radio's image: channels and unnamed settings bytes that the grid would
// rewrite, transmit flags with both VOX bits set, the features at New's values.
MemoryImage RadioImage() {
  MemoryImage image = PatternImage(7);
  const MemoryImage defaults = NewImage();
  std::copy(defaults.begin() + 0x812, defaults.begin() + 0x819, image.begin() + 0x812);
  std::fill(image.begin() + 0x820, image.end(), 0xFF);
  image[0x810] = 0xC5;
  return image;
}

TEST(CliFile, FeaturesStoresWhatOkStoresAndCopiesEveryOtherByte) {
  TempDir dir;
  struct Row {
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::pair<std::size_t, std::string>> changes;  // offset, bytes
  };
  // Each option once: every one of them owns other bytes or bits.
  const Row rows[] = {
      {{}, {}},
      {kEveryFeature,
       {{0x810, "\x35"}, {0x812, "\x87\x07\x09"}, {0x815, std::string("\0\x03", 2)}, {0x820, "9FA0"},
        {0x830, "KORVEL"}}},
  };
  const MemoryImage image = RadioImage();
  WriteImage(dir.File("in.sin"), image);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.values.size());
    const CommandRun r = RunCommand(cli::SetFeatures, Features(dir.File("in.sin"), dir.File("out.sin"), row.values));
    ASSERT_EQ(r.status, 0) << r.err;
    MemoryImage expected = image;
    expected[0x810] = 0x05;  // both VOX bits cleared by every OK
    for (const auto& [offset, bytes] : row.changes) std::copy(bytes.begin(), bytes.end(), expected.begin() + offset);
    EXPECT_EQ(ReadFile(dir.File("out.sin")), ImageBytes(expected));
  }
}

// settings shows the bar, and each feature as features takes it.
TEST(CliFile, SettingsShowsTheBarAndTheFeaturesAsFeaturesTakesThem) {
  TempDir dir;
  MemoryImage image = NewImage();
  image[0x80A] = 0xEF;  // 136 - 174MHz
  image[0x80B] = 0x3A;  // KR - 300
  image[0x812] = 0x03;  // manual Close
  WriteImage(dir.File("in.sin"), image);
  ASSERT_EQ(RunCommand(cli::SetFeatures, Features(dir.File("in.sin"), dir.File("out.sin"), kEveryFeature)).status, 0);
  const CommandRun r = RunCommand(cli::ShowSettings, {dir.File("out.sin")});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line :
       {"Model: KR - 300", "Frequency band: 136 - 174MHz", "Manual setting: Close", "Radio type byte: 0xFF",
        "Time-out timer (s): 270", "Squelch level: 7", "Beep: off", "Scrambler activation: off", "Battery save: on",
        "Voice language: Chinese", "VOX gain level: OFF", "VOX delay time (s): 1.5", "PTT ID at begin of Tx: on",
        "PTT ID at end of Tx: on", "ANI code: 9FA0", "Radio name: KORVEL"})
    EXPECT_EQ(CountLines(r.out, line), 1) << line << "\n" << r.out;
}

// diff: the differences on standard output, and an exit status that says
// equal (0), different (1) or trouble (2, the reason on standard error; a
// missing file through main in cli_process_test).
TEST(CliFile, DiffExitStatusSaysEqualDifferentOrTrouble) {
  TempDir dir;
  MemoryImage changed = NewImage();
  changed[0x813] = 7;  // squelch level
  WriteImage(dir.File("a.sin"), NewImage());
  WriteImage(dir.File("same.sin"), NewImage());
  WriteImage(dir.File("b.sin"), changed);
  WriteFile(dir.File("short.sin"), "short");
  struct Case {
    std::string right;
    int status;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {"same.sin", 0, "", ""},
      {"b.sin", 1, "Squelch level: 4 -> 7\n", ""},
      {"short.sin", 2, "",
       "korvel-cli: \"" + dir.File("short.sin") + "\" is not a channel data file: it holds 5 bytes, a channel data "
       "file holds 2112.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.right);
    const CommandRun r = RunCommand(cli::DiffChannelFiles, {dir.File("a.sin"), dir.File(c.right)});
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

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

// Each command writes its file, or says what is wrong and writes nothing; a
// long file is only a warning. Which files a load or a save refuses, and
// the system's words for why, are the model's (channel_file_test); the bytes
// New writes are the document's (tests/model).
TEST(CliFile, EachCommandWritesItsFileOrSaysWhyNot) {
  test::TempDir dir;
  WriteFile(dir.File("short.sin"), std::string(100, '\0'));
  WriteImage(dir.File("new.sin"), NewImage());
  WriteFile(dir.File("long.sin"), ImageBytes(NewImage()) + "TRAILER");
  MemoryImage longAni = NewImage();
  std::copy_n("ABCDE", 5, longAni.begin() + 0x820);
  WriteImage(dir.File("long-ani.sin"), longAni);
  const std::string out = dir.File("out.sin");
  const auto features = [&](const char* in, const std::string& key, const std::string& value) {
    return RunCommand(cli::SetFeatures, Features(dir.File(in), out, {{key, value}}));
  };
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

  const std::string zero = "Location,Name,Frequency\r\n0,Calling,146.52\r\n";
  test::WriteFile(dir.File("zero.csv"), zero);
  test::WriteFile(dir.File("one.sin"), ImportedImage(NewImage(), zero, false));
  const auto exportCsv = [&](const char* out, const char* in = "radio.sin",
                             ChannelLayout layout = ChannelLayout::Korvel) {
    return test::RunCommand(cli::ExportCsv, {dir.File(in), dir.File(out), layout});
  };
  const auto importCsv = [&](const char* csv, const char* out, bool replace = false) {
    return test::RunCommand(cli::ImportCsv, {dir.File("radio.sin"), dir.File(csv), dir.File(out), replace});
  };
  const struct {
    const char* name;
    test::CommandRun run;
    int status;
    std::string output;    // the file the command writes
    std::string written;   // its content; empty: it must not exist
    std::vector<std::string> says;  // on standard error
    std::size_t errLines = 0;       // how many lines it says; 0: not counted
  } cases[] = {
      {"new", RunCommand(cli::NewChannelFile, {dir.File("n.sin")}), 0, "n.sin", ImageBytes(ThroughGrid(NewImage())),
       {}},
      {"short file", RunCommand(cli::ResaveChannelFile, {dir.File("short.sin"), out}), 1, "out.sin", "",
       {"holds 100 bytes"}},
      {"channels of a short file", RunCommand(cli::ListChannels, {dir.File("short.sin")}), 1, "out.sin", "",
       {"holds 100 bytes"}},
      {"settings of a missing file", RunCommand(cli::ShowSettings, {dir.File("missing.sin")}), 1, "out.sin", "",
       {NoSuchFileText()}},
      {"a folder that does not exist", RunCommand(cli::NewChannelFile, {dir.File("no/such/dir/n.sin")}), 1,
       "no/such/dir/n.sin", "", {"Cannot save"}},
      {"long file", RunCommand(cli::ListChannels, {dir.File("long.sin")}), 0, "out.sin", "",
       {"korvel-cli: warning: \"" + dir.File("long.sin") + "\" holds 2119 bytes"}},
      {"--squelch 10", features("new.sin", "squelch", "10"), 1, "out.sin", "",
       {"--squelch: \"10\" is not one of 0|1|2|3|4|5|6|7|8|9"}},
      {"--beep yes", features("new.sin", "beep", "yes"), 1, "out.sin", "", {"--beep: \"yes\" is not one of on|off"}},
      {"--ani 12345", features("new.sin", "ani", "12345"), 1, "out.sin", "",
       {"--ani: ANI holds at most 4 characters; it has 5."}},
      {"--name A.B", features("new.sin", "name", "A.B"), 1, "out.sin", "",
       {"--name: Radio Name takes only the characters 0-9 and A-Z."}},
      {"a long ANI from the file", features("long-ani.sin", "squelch", "3"), 1, "out.sin", "",
       {"ANI holds at most 4 characters; it has 5. Give a shorter one with --ani."}},
      {"export-csv", exportCsv("out.csv"), 0, "out.csv", exported, {}},
      {"export-csv --layout interchange", exportCsv("one.csv", "one.sin", ChannelLayout::Interchange), 0, "one.csv",
       std::string(kInterchangeHeader) + "\r\n1,,146.520000,,0.000000,,88.5,88.5,023,NN,FM,10.00,,,Tone->Tone,High\r\n",
       {}},
      {"export-csv --layout interchange of channels it cannot hold",
       exportCsv("refused.csv", "radio.sin", ChannelLayout::Interchange), 1, "refused.csv", "",
       {"Nothing was exported: the interchange layout cannot hold", "Channel 3: It has no receive frequency",
        dir.File("refused.csv") + " was not written."}},
      {"import-csv of an interchange list", importCsv("zero.csv", "zero.sin"), 0, "zero.sin",
       ImportedImage(image, zero, false),
       {"korvel-cli: note: " + dir.File("zero.csv") +
        ": 1 name dropped; numbered from 0, each moved up one\n"},
       1},
      {"import-csv", importCsv("radio.csv", "same.sin"), 0, "same.sin", std::string(image.begin(), image.end()), {}},
      {"import-csv edited", importCsv("edit.csv", "edited.sin"), 0, "edited.sin", ImportedImage(image, edit, false),
       {}},
      {"import-csv --replace-all", importCsv("edit.csv", "replaced.sin", true), 0, "replaced.sin",
       ImportedImage(image, edit, true), {}},
      {"import-csv of refused lines", importCsv("bad.csv", "bad.sin"), 1, "bad.sin", "",
       {"bad.csv: Line 2, Rx Tone: \"89.9\" — No such tone.",
        "bad.csv: Line 3, Receive: \"600\" — Error Data Format",
        "nothing was imported and " + dir.File("bad.sin") + " was not written."}},
      // 200 refused lines: the first 50 and a count of the rest.
      {"import-csv of 200 refused lines", importCsv("many.csv", "many.sin"), 1, "many.sin", "",
       {"many.csv: Line 51, Channel: \"0\" — A channel is a number from 1 to 128.\nkorvel-cli: " +
        dir.File("many.csv") + ": and 150 more\nkorvel-cli: nothing"},
       52},
      {"import-csv of a missing file", importCsv("missing.csv", "none.sin"), 1, "none.sin", "", {"missing.csv\": " + NoSuchFileText()}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
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
  ASSERT_EQ(features("long-ani.sin", "ani", "abc").status, 0);
  EXPECT_EQ(CountLines(RunCommand(cli::ShowSettings, {out}).out, "ANI code: ABC"), 1);
}

}  // namespace
}  // namespace korvel::test
