// The window's file commands: the file chooser and the suffix Save As adds,
// the recent-file menu and dropped files, and every command that would replace
// a changed document asking first. The commands' own rules (the question's
// answers, the long-file notice, failures) are the model's, tested there.
#include <QDir>
#include <QMimeData>
#include <QUrl>
#include <functional>

#include "app/command_ids.h"
#include "app/file_chooser.h"
#include "app/recent_file_list.h"
#include "app/session_request.h"
#include "app_test_support.h"
#include "temp_dir.h"

namespace korvel::testing {
namespace {

class FileCommands : public FrameTest {
 protected:
  void Drop(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    QCoreApplication::processEvents();
  }
  QStringList Recent() { return frame->RecentFiles().Paths(); }
};

// A desktop session's end that lets the user be asked, or not, and counts
// its refusals.
struct ScriptedSession : SessionRequest {
  explicit ScriptedSession(bool interactive) : interactive(interactive) {}
  bool AllowsInteraction() override { return interactive; }
  void Release() override {}
  void Cancel() override { ++cancels; }
  bool interactive;
  int cancels = 0;
};

TEST(FileDialogFolder, IsTheFolderLastChosenKeptWithTheSettings) {
  test::TempDir dir;
  const QString ini = QString::fromStdString(dir.File("settings.ini"));
  const QString chosen = QString::fromStdString(dir.File("radios"));
  ASSERT_TRUE(QDir().mkpath(chosen));
  {
    QSettings settings(ini, QSettings::IniFormat);
    EXPECT_EQ(LastFileFolder(settings), QDir::homePath());
    RememberFileFolder(settings, chosen + "/car.sin");
    RememberFileFolder(settings, QString());  // a cancelled dialog
  }
  QSettings settings(ini, QSettings::IniFormat);  // the next run
  EXPECT_EQ(LastFileFolder(settings), chosen);
  ASSERT_TRUE(QDir(chosen).removeRecursively());
  EXPECT_EQ(LastFileFolder(settings), QDir::homePath());  // a folder gone since
}

TEST_F(FileCommands, SaveAsksForANameOnceAndOpenShowsTheFileSaveWritesBack) {
  // Untitled: Save asks for a name; the suffix is added when missing.
  EXPECT_EQ(TitleName(), "Untitled");
  chooser.paths = {dir.filePath("fresh")};
  ASSERT_TRUE(frame->Action(kCmdFileSave)->isEnabled());
  frame->Action(kCmdFileSave)->trigger();
  const QString path = dir.filePath("fresh.sin");
  EXPECT_EQ(chooser.saveCalls, 1);
  EXPECT_EQ(ReadFile(path).size(), kImageSize);
  EXPECT_EQ(PathName(), path);
  EXPECT_EQ(TitleName(), "fresh.sin");
  EXPECT_EQ(frame->Panes().MessageText(), "Saved fresh.sin");

  // Opened: the view shows the file and Save writes it back in place.
  const MemoryImage sample = SampleImage();
  const QString opened = WriteFile("sample.sin", sample);
  chooser.paths = {opened};
  frame->Action(kCmdFileOpen)->trigger();
  EXPECT_EQ(ViewContent(), sample);
  EXPECT_EQ(TitleName(), "sample.sin");
  QFile::remove(opened);
  frame->Action(kCmdFileSave)->trigger();
  EXPECT_EQ(chooser.saveCalls, 1);
  EXPECT_EQ(ReadFile(opened), test::ImageBytes(sample));
  EXPECT_EQ(Recent(), (QStringList{opened, path}));
  EXPECT_TRUE(prompter.asked.empty());
  Modify();
  EXPECT_EQ(TitleName(), "sample.sin*");
}

TEST_F(FileCommands, RecentMenuListsFourNewestFirstAndAGoneFileLeavesIt) {
  QStringList paths;
  for (const char* name : {"a.sin", "b.sin", "c.sin", "d.sin", "e.sin"}) paths << WriteFile(name, SampleImage());
  EXPECT_TRUE(frame->RecentFilePlaceholder()->isVisible());
  for (const QString& path : paths) ASSERT_TRUE(frame->Files().OpenFile(path));
  ASSERT_TRUE(frame->Files().OpenFile(paths[2]));  // the list's rules are RecentPaths'
  EXPECT_EQ(Recent(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));
  EXPECT_FALSE(frame->RecentFilePlaceholder()->isVisible());
  for (int i = 0; i < kRecentFileCount; ++i)
    EXPECT_EQ(frame->RecentFileAction(i)->text(), QString("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(Recent()[i])));
  // Kept in the settings for the next run.
  EXPECT_EQ(RecentFileList(*settings, kRecentFileCount).Paths(), Recent());

  // Every entry, the first included, opens its file and takes its path, so
  // Save writes there.
  ASSERT_TRUE(frame->Files().New());
  frame->RecentFileAction(0)->trigger();
  EXPECT_EQ(PathName(), paths[2]);
  EXPECT_EQ(ViewContent(), SampleImage());
  QFile::remove(paths[4]);
  frame->RecentFileAction(1)->trigger();
  EXPECT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(Recent(), (QStringList{paths[2], paths[3], paths[1]}));
  EXPECT_FALSE(frame->RecentFileAction(3)->isVisible());
  // A dropped file opens as by File Open.
  Drop(paths[0]);
  EXPECT_EQ(PathName(), paths[0]);
  EXPECT_EQ(ViewContent(), SampleImage());
  EXPECT_EQ(Recent().front(), paths[0]);
}

TEST_F(FileCommands, EveryCommandThatReplacesAChangeAsksFirstAndCancelKeepsIt) {
  const QString current = WriteFile("current.sin", SampleImage());
  const QString other = WriteFile("other.sin", NewImage());
  ScriptedSession session(true);
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"New", [&] { frame->Action(kCmdFileNew)->trigger(); }},
      {"Open", [&] { chooser.paths = {other}; frame->Action(kCmdFileOpen)->trigger(); }},
      {"recent file", [&] { frame->RecentFileAction(1)->trigger(); }},
      {"drop", [&] { Drop(other); }},
      {"Exit", [&] { frame->Action(kCmdAppExit)->trigger(); }},
      {"session's end", [&] { frame->OnSessionEnding(session); }},
  };
  ASSERT_TRUE(frame->Files().OpenFile(other));
  ASSERT_TRUE(frame->Files().OpenFile(current));
  Modify();
  const MemoryImage changed = ViewContent();
  for (const auto& [name, run] : commands) {
    SCOPED_TRACE(name);
    prompter.asked.clear();
    prompter.answers = {Answer::Cancel};
    run();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "Save changes to current.sin?");
    EXPECT_EQ(PathName(), current);
    EXPECT_EQ(ViewContent(), changed);
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(frame->isVisible());
  }
  EXPECT_EQ(session.cancels, 1) << "Cancel refuses the session's end";
  // A session that lets nobody be asked is refused while changes are unsaved.
  ScriptedSession unattended(false);
  prompter.asked.clear();
  frame->OnSessionEnding(unattended);
  EXPECT_EQ(unattended.cancels, 1);
  // No goes on without saving, and lets the session end; a change after
  // that is asked about again.
  prompter.answers = {Answer::No, Answer::No};
  frame->OnSessionEnding(session);
  EXPECT_EQ(session.cancels, 1);
  Modify();
  QCoreApplication::processEvents();
  frame->Action(kCmdAppExit)->trigger();
  EXPECT_EQ(prompter.asked.size(), 2u);
  EXPECT_FALSE(frame->isVisible());
  EXPECT_EQ(ReadFile(current), test::ImageBytes(SampleImage()));
}

}  // namespace
}  // namespace korvel::testing
