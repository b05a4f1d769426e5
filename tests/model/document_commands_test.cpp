// File New, Open, Save As and the question about unsaved changes, as the
// window and the command-line tool run them; the recent-file list's rules.

#include "model/document_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/document_history.h"
#include "model/recent_paths.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace korvel {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The window's part, recorded in order.
struct RecordingWindow : DocumentWindow {
  void CommitEdit() override { calls.push_back("commit"); }
  void ShowDocument() override { calls.push_back("show"); }
  void TookPath(const std::string& path) override { calls.push_back("took " + path); }
  std::string ChooseSavePath(const std::string&) override { return calls.push_back("choose"), chosen; }
  std::vector<std::string> calls;
  std::string chosen;  // empty: cancelled
};

class DocumentCommandsTest : public ::testing::Test {
 protected:
  void Modify() { document.Channels().SetCell(1, 1, "146.00000"); }
  test::TempDir dir;
  test::ScriptedPrompter prompter;
  RecordingWindow window;
  CKovDoc document;
  DocumentCommands files{document, prompter, &window};
};

TEST_F(DocumentCommandsTest, NewThenSaveWritesTheEmptyChannelPatternAndDefaults) {
  Modify();
  document.SetPathName(dir.File("old.sin"));
  files.New();
  EXPECT_TRUE(document.PathName().empty());
  EXPECT_FALSE(document.IsModified());
  EXPECT_FALSE(document.History().CanUndo());
  ASSERT_TRUE(files.SaveAs(dir.File("new.sin")));
  EXPECT_EQ(window.calls, (std::vector<std::string>{"show", "commit", "took " + dir.File("new.sin")}));
  const auto bytes = ReadBytes(dir.File("new.sin"));
  ASSERT_EQ(bytes.size(), kImageSize);
  const std::uint8_t empty[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                  0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC5, 0xFE, 0xFF};
  for (std::size_t i = 0; i < 0x800; ++i) ASSERT_EQ(bytes[i], empty[i % 16]) << i;
  const MemoryImage defaults = NewImage();
  for (std::size_t i = 0x800; i < kImageSize; ++i) EXPECT_EQ(bytes[i], defaults[i]) << i;
  EXPECT_EQ(document.PathName(), dir.File("new.sin"));
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(DocumentCommandsTest, OpenShowsTheFileWithAFreshHistoryThenTellsOfALongerFile) {
  files.New();
  Modify();
  ASSERT_TRUE(files.SaveAs(dir.File("a.sin")));
  std::ofstream(dir.File("a.sin"), std::ios::app | std::ios::binary) << std::string(888, '\x11');
  files.New();
  window.calls.clear();
  prompter.onAsk = [&](const Prompt&) { window.calls.push_back("notice"); };
  ASSERT_TRUE(files.Open(dir.File("a.sin")));
  EXPECT_EQ(window.calls, (std::vector<std::string>{"took " + dir.File("a.sin"), "show", "notice"}));
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_NE(prompter.asked[0].text.find("holds 3000 bytes"), std::string::npos) << prompter.asked[0].text;
  EXPECT_EQ(document.Channels().Cell(1, 1), "146.00000");
  EXPECT_EQ(document.PathName(), dir.File("a.sin"));
  EXPECT_FALSE(document.IsModified());
  EXPECT_FALSE(document.History().CanUndo());

  // Untitled: the same content, no path taken, no notice.
  files.New();
  prompter.asked.clear();
  ASSERT_TRUE(files.OpenUntitled(dir.File("a.sin")));
  EXPECT_EQ(document.Channels().Cell(1, 1), "146.00000");
  EXPECT_TRUE(document.PathName().empty());
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(DocumentCommandsTest, AFileThatCannotBeOpenedOrSavedIsReportedAndChangesNothing) {
  files.New();
  document.SetPathName("/somewhere/else.sin");
  Modify();
  const MemoryImage image = document.Image();
  window.calls.clear();
  EXPECT_FALSE(files.Open(dir.File("missing.sin")));
  EXPECT_FALSE(files.SaveAs(dir.File("no/such/dir/x.sin")));
  ASSERT_EQ(prompter.asked.size(), 2u);
  EXPECT_NE(prompter.asked[0].text.find("missing.sin"), std::string::npos);
  EXPECT_EQ(document.PathName(), "/somewhere/else.sin");
  EXPECT_EQ(document.Channels().Cell(1, 1), "146.00000");
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(window.calls, std::vector<std::string>{"commit"});
}

TEST_F(DocumentCommandsTest, SaveChangesAsksOnlyWhenModifiedAndItsAnswerDecides) {
  const struct {
    const char* name;
    bool modified;
    const char* path;  // the document's; "" untitled
    Answer answer;
    std::string chosen;  // Save As's choice; "" cancelled
    bool goesOn;
    bool saved;
  } cases[] = {
      {"unmodified", false, "", Answer::Cancel, "", true, false},
      {"No", true, "a.sin", Answer::No, "", true, false},
      {"Cancel", true, "a.sin", Answer::Cancel, "", false, false},
      {"Yes with a path", true, "a.sin", Answer::Yes, "", true, true},
      {"Yes untitled, Save As cancelled", true, "", Answer::Yes, "", false, false},
      {"Yes untitled, saved as chosen", true, "", Answer::Yes, "b.sin", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    files.New();
    std::filesystem::remove_all(dir.Path() / "x");
    std::filesystem::create_directory(dir.Path() / "x");
    const std::string path = *c.path ? dir.File("x/" + std::string(c.path)) : "";
    document.SetPathName(path);
    if (c.modified) Modify();
    window.chosen = c.chosen.empty() ? "" : dir.File("x/" + c.chosen);
    prompter.asked.clear();
    prompter.answers = {c.answer};
    EXPECT_EQ(files.SaveModified(), c.goesOn);
    ASSERT_EQ(prompter.asked.size(), c.modified ? 1u : 0u);
    if (c.modified) {
      EXPECT_EQ(prompter.asked[0].text, std::string("Save changes to ") + (*c.path ? c.path : "Untitled") + "?");
      EXPECT_EQ(prompter.asked[0].buttons, Buttons::YesNoCancel);
    }
    const std::string written = !path.empty() ? path : window.chosen;
    EXPECT_EQ(!written.empty() && std::filesystem::exists(written), c.saved);
    EXPECT_EQ(document.IsModified(), c.modified && !c.saved);
  }
}

TEST(RecentPaths, KeepTheNewestFirstEachFileOnceUpToTheCapacity) {
  test::TempDir dir;
  for (const char* name : {"a", "b", "c", "d", "e"}) std::ofstream(dir.File(name)) << name;
  std::filesystem::create_symlink(dir.File("c"), dir.File("link-to-c"));
  RecentPaths recent({dir.File("a"), "", dir.File("b")}, 4);
  EXPECT_EQ(recent.Paths(), (std::vector<std::string>{dir.File("a"), dir.File("b")}));
  for (const char* name : {"c", "d", "e", "link-to-c"}) recent.Add(dir.File(name));
  EXPECT_EQ(recent.Paths(),
            (std::vector<std::string>{dir.File("link-to-c"), dir.File("e"), dir.File("d"), dir.File("a")}));
  recent.Add(dir.File("gone"));  // a file that is not there is known by its name
  recent.Add(dir.File("gone"));
  recent.Remove(9);
  recent.Remove(1);
  EXPECT_EQ(recent.Paths(), (std::vector<std::string>{dir.File("gone"), dir.File("e"), dir.File("d")}));
}

}  // namespace
}  // namespace korvel
