// File New, Open, Save, Save As, the recent-file list, dropped files and
// the question before unsaved work would be lost.
#include <QDir>
#include <QMimeData>
#include <QUrl>
#include <functional>

#include "app/command_ids.h"
#include "app/file_chooser.h"
#include "app/recent_file_list.h"
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

TEST_F(FileCommands, SaveWritesTheCollectedImageAndTakesTheName) {
  // Unnamed: Save asks for a name; the suffix is added when missing.
  chooser.paths = {dir.filePath("fresh")};
  ASSERT_TRUE(frame->Files().Save());
  const QString path = dir.filePath("fresh.sin");
  EXPECT_EQ(chooser.saveCalls, 1);
  EXPECT_EQ(ReadFile(path), Bytes(Collected(NewImage())));
  EXPECT_EQ(PathName(), path);
  EXPECT_EQ(frame->RecentFiles().Paths(), QStringList{path});

  // Opened: the view shows the file and Save writes it back in place.
  const MemoryImage sample = SampleImage();
  const QString opened = WriteFile("sample.sin", sample);
  chooser.paths = {opened};
  ASSERT_TRUE(frame->Files().Open());
  EXPECT_EQ(ViewContent(), sample);
  EXPECT_FALSE(document.IsModified());
  QFile::remove(opened);
  ASSERT_TRUE(frame->Files().Save());
  EXPECT_EQ(chooser.saveCalls, 1);
  EXPECT_EQ(ReadFile(opened), Bytes(sample));

  // New clears what the file filled and drops the name.
  ASSERT_TRUE(frame->OnFileNew());
  EXPECT_EQ(ViewContent(), Collected(NewImage()));
  EXPECT_TRUE(document.PathName().empty());
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(FileCommands, OpenTakesTheFirst2112BytesAndRefusesShortOrMissingFiles) {
  const MemoryImage sample = SampleImage();
  const QString longer = WriteBytes("long.sin", Bytes(sample) + QByteArray(888, '\x11'));
  ASSERT_TRUE(frame->Files().OpenFile(longer));
  EXPECT_EQ(ViewContent(), sample);
  // The user learns that the rest of the file was not loaded.
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_NE(prompter.asked[0].text.find("holds 3000 bytes"), std::string::npos) << prompter.asked[0].text;

  const QString truncated = WriteBytes("short.sin", Bytes(NewImage()).left(2111));
  for (const QString& bad : {truncated, dir.filePath("missing.sin")}) {
    SCOPED_TRACE(bad.toStdString());
    prompter.asked.clear();
    chooser.paths = {bad};
    EXPECT_FALSE(frame->Files().Open());
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].text.find(QFileInfo(bad).fileName().toStdString()), std::string::npos);
    EXPECT_EQ(PathName(), longer);
    EXPECT_EQ(ViewContent(), sample);
    EXPECT_EQ(frame->RecentFiles().Paths(), QStringList{longer});
  }
}

TEST_F(FileCommands, AFailedSaveKeepsNameAndModifiedFlag) {
  Modify();
  chooser.paths = {dir.filePath("no/such/dir/x.sin")};
  EXPECT_FALSE(frame->Files().Save());
  EXPECT_EQ(prompter.asked.size(), 1u);
  EXPECT_TRUE(document.PathName().empty());
  EXPECT_TRUE(document.IsModified());
  EXPECT_TRUE(frame->RecentFiles().Paths().isEmpty());
}

TEST_F(FileCommands, RecentListKeepsFourNewestFirstWithoutDuplicates) {
  QStringList paths;
  for (const char* name : {"a.sin", "b.sin", "c.sin", "d.sin", "e.sin"}) paths << WriteFile(name, SampleImage());
  for (const QString& path : paths) ASSERT_TRUE(frame->Files().OpenFile(path));
  ASSERT_TRUE(frame->Files().OpenFile(paths[2]));
  EXPECT_EQ(frame->RecentFiles().Paths(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));

  EXPECT_FALSE(frame->RecentFilePlaceholder()->isVisible());
  for (int i = 0; i < kRecentFileCount; ++i)
    EXPECT_EQ(frame->RecentFileAction(i)->text(),
              QString("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(frame->RecentFiles().Paths().at(i))));
  // Kept in the settings for the next run.
  EXPECT_EQ(RecentFileList(*settings, kRecentFileCount).Paths(), frame->RecentFiles().Paths());
}

TEST_F(FileCommands, RecentEntryOneOpensItsFileAndTakesItsPath) {
  const MemoryImage sample = SampleImage();
  const QString path = WriteFile("first.sin", sample);
  ASSERT_TRUE(frame->Files().OpenFile(path));
  ASSERT_TRUE(frame->OnFileNew());
  frame->RecentFileAction(0)->trigger();
  EXPECT_EQ(ViewContent(), sample);
  EXPECT_EQ(PathName(), path);
  // So Save writes to that file, not to a name asked for or an older one.
  QFile::remove(path);
  ASSERT_TRUE(frame->Files().Save());
  EXPECT_EQ(chooser.saveCalls, 0);
  EXPECT_EQ(ReadFile(path), Bytes(sample));

  // A listed file that has gone is reported and leaves the list.
  const QString gone = WriteFile("gone.sin", SampleImage());
  ASSERT_TRUE(frame->Files().OpenFile(gone));
  QFile::remove(gone);
  frame->Files().OpenRecent(0);
  EXPECT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(frame->RecentFiles().Paths(), QStringList{path});
}

TEST_F(FileCommands, ADroppedFileOpensAsByFileOpen) {
  const MemoryImage sample = SampleImage();
  const QString path = WriteFile("dropped.sin", sample);
  Drop(path);
  EXPECT_EQ(PathName(), path);
  EXPECT_EQ(ViewContent(), sample);
  EXPECT_EQ(frame->RecentFiles().Paths(), QStringList{path});
}

TEST_F(FileCommands, EveryCommandThatReplacesAChangeAsksFirstAndCancelKeepsIt) {
  const MemoryImage sample = SampleImage();
  const QString current = WriteFile("current.sin", sample);
  const QString other = WriteFile("other.sin", NewImage());
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"New", [&] { frame->OnFileNew(); }},
      {"Open", [&] { chooser.paths = {other}; frame->Files().Open(); }},
      {"recent file", [&] { frame->Files().OpenRecent(1); }},
      {"drop", [&] { Drop(other); }},
      {"Exit", [&] { EXPECT_FALSE(frame->close()); }},
  };
  ASSERT_TRUE(frame->Files().OpenFile(other));
  ASSERT_TRUE(frame->Files().OpenFile(current));
  for (const auto& [name, run] : commands) {
    SCOPED_TRACE(name);
    Modify();
    prompter.asked.clear();
    prompter.answers = {Answer::Cancel};
    run();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].buttons, Buttons::YesNoCancel);
    EXPECT_NE(prompter.asked[0].text.find("current.sin"), std::string::npos);
    EXPECT_EQ(PathName(), current);
    EXPECT_EQ(ViewContent(), sample);
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(frame->isVisible());
  }
}

TEST_F(FileCommands, NoDropsTheChangeYesSavesItAndAnUnchangedDocumentIsNotAsked) {
  ASSERT_TRUE(frame->Files().OpenFile(WriteFile("a.sin", SampleImage())));
  ASSERT_TRUE(frame->OnFileNew());
  frame->Files().OpenRecent(0);
  EXPECT_TRUE(prompter.asked.empty());

  Modify();
  prompter.answers = {Answer::No};
  EXPECT_TRUE(frame->OnFileNew());
  EXPECT_EQ(ViewContent(), Collected(NewImage()));
  EXPECT_EQ(chooser.saveCalls, 0);

  // Yes on an unnamed document asks for a name; cancelling that stops New.
  Modify();
  prompter.answers = {Answer::Yes};
  EXPECT_FALSE(frame->OnFileNew());
  EXPECT_TRUE(document.IsModified());
  const QString saved = dir.filePath("saved.sin");
  prompter.answers = {Answer::Yes};
  chooser.paths = {saved};
  EXPECT_TRUE(frame->OnFileNew());
  EXPECT_EQ(ReadFile(saved), Bytes(Collected(NewImage())));
  EXPECT_TRUE(document.PathName().empty());

  prompter.answers = {Answer::No};
  Modify();
  frame->Action(kCmdAppExit)->trigger();
  EXPECT_FALSE(frame->isVisible());
}

}  // namespace
}  // namespace korvel::testing
