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
#include "test_files.h"

namespace korvel {
namespace {

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
  void Modify() { document.Channels().SetCell(1, 1, document.Channels().Cell(1, 1).empty() ? "146.00000" : ""); }
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
  const MemoryImage saved = test::ImageFromFile(dir.File("new.sin"));
  const std::uint8_t empty[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                  0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC5, 0xFE, 0xFF};
  for (std::size_t i = 0; i < 0x800; ++i) ASSERT_EQ(saved[i], empty[i % 16]) << i;
  EXPECT_TRUE(std::equal(saved.begin() + 0x800, saved.end(), NewImage().begin() + 0x800));
  EXPECT_EQ(document.PathName(), dir.File("new.sin"));
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(DocumentCommandsTest, OpenShowsTheFileWithAFreshHistoryThenTellsOfALongerOne) {
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
  EXPECT_EQ(prompter.asked[0].text, document.OpenNotice());
  EXPECT_EQ(document.Channels().Cell(1, 1), "146.00000");
  EXPECT_EQ(document.PathName(), dir.File("a.sin"));
  EXPECT_FALSE(document.IsModified());
  EXPECT_FALSE(document.History().CanUndo());
}

TEST_F(DocumentCommandsTest, SaveChangesAsksOnlyWhenModifiedAndItsAnswerDecides) {
  const struct {
    const char* name;
    const char* path;    // the document's, "" untitled; modified unless "unmodified"
    Answer answer;
    const char* chosen;  // Save As's choice, "" cancelled
    bool goesOn;
    const char* written;  // the file saved, "" none
  } cases[] = {
      {"unmodified", "", Answer::Cancel, "", true, ""},
      {"No", "a.sin", Answer::No, "", true, ""},
      {"Cancel", "a.sin", Answer::Cancel, "", false, ""},
      {"Yes with a path", "a.sin", Answer::Yes, "", true, "a.sin"},
      {"Yes untitled, Save As cancelled", "", Answer::Yes, "", false, ""},
      {"Yes untitled, saved as chosen", "", Answer::Yes, "b.sin", true, "b.sin"},
      {"Yes, the save fails", "no/such/a.sin", Answer::Yes, "", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::filesystem::path folder = dir.Path() / c.name;
    std::filesystem::create_directory(folder);
    auto in = [&](const char* name) { return *name ? (folder / name).string() : std::string(); };
    files.New();
    document.SetPathName(in(c.path));
    const bool modified = std::string(c.name) != "unmodified";
    if (modified) Modify();
    window.chosen = in(c.chosen);
    prompter.asked.clear();
    prompter.answers = {c.answer};
    EXPECT_EQ(files.SaveModified(), c.goesOn);
    ASSERT_EQ(prompter.asked.empty(), !modified);
    if (modified) {
      const std::string name = *c.path ? std::filesystem::path(c.path).filename().string() : "Untitled";
      EXPECT_EQ(prompter.asked[0].text, "Save changes to " + name + "?");
    }
    // Only the file named, if any, is written.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), *c.written ? 1 : 0);
    EXPECT_TRUE(!*c.written || std::filesystem::exists(in(c.written)));
    EXPECT_EQ(document.IsModified(), modified && *c.written == '\0');
  }
}

TEST(RecentPaths, KeepTheNewestFirstEachFileOnceUpToTheCapacity) {
  test::TempDir dir;
  for (const char* name : {"a", "b", "c", "d", "e"}) std::ofstream(dir.File(name)) << name;
  // The same file by another name: a link, where the system makes them.
  std::error_code noLinks;
  std::filesystem::create_symlink(dir.File("c"), dir.File("link-to-c"), noLinks);
  const std::string sameAsC = noLinks ? dir.File("./c") : dir.File("link-to-c");
  RecentPaths recent({dir.File("a"), "", dir.File("b")}, 4);
  EXPECT_EQ(recent.Paths(), (std::vector<std::string>{dir.File("a"), dir.File("b")}));
  for (const std::string& path : {dir.File("c"), dir.File("d"), dir.File("e"), sameAsC}) recent.Add(path);
  EXPECT_EQ(recent.Paths(), (std::vector<std::string>{sameAsC, dir.File("e"), dir.File("d"), dir.File("a")}));
  recent.Add(dir.File("gone"));  // a file that is not there is known by its name
  recent.Add(dir.File("gone"));
  recent.Remove(9);
  recent.Remove(1);
  EXPECT_EQ(recent.Paths(), (std::vector<std::string>{dir.File("gone"), dir.File("e"), dir.File("d")}));
}

}  // namespace
}  // namespace korvel
