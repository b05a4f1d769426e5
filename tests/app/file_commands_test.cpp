// File New, Open, Save, Save As, the recent-file list, dropped files and
// the question before unsaved work would be lost.
#include <QDir>
#include <QMimeData>
#include <QUrl>

#include "app/command_ids.h"
#include "app/recent_file_list.h"
#include "app_test_support.h"

namespace korvel::testing {
namespace {

using FileCommands = FrameTest;

TEST_F(FileCommands, NewThenSaveAsksForANameAndWritesTheCollectedNewImage) {
  const QString path = dir.filePath("fresh.sin");
  chooser.paths = {path};
  ASSERT_TRUE(frame->OnFileSave());
  EXPECT_EQ(chooser.saveCalls, 1);
  const QByteArray written = ReadFile(path);
  EXPECT_EQ(written.size(), 2112);
  EXPECT_EQ(written, Bytes(Collected(NewImage())));
  EXPECT_EQ(PathName(), path);
  EXPECT_FALSE(document.IsModified());
  ASSERT_FALSE(frame->RecentFiles().Paths().isEmpty());
  EXPECT_EQ(frame->RecentFiles().Paths().constFirst(), path);
}

TEST_F(FileCommands, SaveAsAddsTheChannelFileSuffix) {
  chooser.paths = {dir.filePath("plain")};
  ASSERT_TRUE(frame->OnFileSaveAs());
  EXPECT_EQ(PathName(), dir.filePath("plain.sin"));
  EXPECT_EQ(ReadFile(dir.filePath("plain.sin")).size(), 2112);
}

TEST_F(FileCommands, OpenFillsTheViewAndSaveWritesItBackInPlace) {
  const MemoryImage sample = SampleImage();
  const QString path = WriteFile("sample.sin", sample);
  chooser.paths = {path};
  ASSERT_TRUE(frame->OnFileOpen());
  EXPECT_EQ(ViewContent(), sample);
  EXPECT_EQ(PathName(), path);
  EXPECT_FALSE(document.IsModified());

  QFile::remove(path);
  ASSERT_TRUE(frame->OnFileSave());
  EXPECT_EQ(chooser.saveCalls, 0);
  EXPECT_EQ(ReadFile(path), Bytes(sample));
}

TEST_F(FileCommands, NewClearsWhatAFileFilled) {
  ASSERT_TRUE(frame->OpenDocumentFile(WriteFile("sample.sin", SampleImage())));
  ASSERT_TRUE(frame->OnFileNew());
  EXPECT_EQ(ViewContent(), Collected(NewImage()));
  EXPECT_TRUE(document.PathName().empty());
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(FileCommands, FailedOpensChangeNothingAndSayWhy) {
  const MemoryImage sample = SampleImage();
  const QString good = WriteFile("good.sin", sample);
  ASSERT_TRUE(frame->OpenDocumentFile(good));

  QByteArray shortFile = Bytes(NewImage()).left(2111);
  const QString truncated = dir.filePath("short.sin");
  QFile file(truncated);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(shortFile);
  file.close();
  const QString missing = dir.filePath("missing.sin");

  for (const QString& bad : {truncated, missing}) {
    SCOPED_TRACE(bad.toStdString());
    prompter.asked.clear();
    chooser.paths = {bad};
    EXPECT_FALSE(frame->OnFileOpen());
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_NE(prompter.asked[0].text.find(QFileInfo(bad).fileName().toStdString()), std::string::npos);
    EXPECT_EQ(PathName(), good);
    EXPECT_EQ(ViewContent(), sample);
    EXPECT_EQ(frame->RecentFiles().Paths(), QStringList{good});
  }
}

TEST_F(FileCommands, ALongerFileOpensItsFirst2112Bytes) {
  const MemoryImage sample = SampleImage();
  QByteArray longer = Bytes(sample) + QByteArray(888, '\x11');
  const QString path = dir.filePath("long.sin");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(longer);
  file.close();
  ASSERT_TRUE(frame->OpenDocumentFile(path));
  EXPECT_EQ(ViewContent(), sample);
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(FileCommands, AFailedSaveKeepsNameAndModifiedFlag) {
  emit frame->View().contentChanged();
  chooser.paths = {dir.filePath("no/such/dir/x.sin")};
  EXPECT_FALSE(frame->OnFileSave());
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_TRUE(document.PathName().empty());
  EXPECT_TRUE(document.IsModified());
  EXPECT_TRUE(frame->RecentFiles().Paths().isEmpty());
}

TEST_F(FileCommands, RecentListKeepsFourNewestFirstWithoutDuplicates) {
  QStringList paths;
  for (const char* name : {"a.sin", "b.sin", "c.sin", "d.sin", "e.sin"}) paths << WriteFile(name, SampleImage());
  for (const QString& path : paths) ASSERT_TRUE(frame->OpenDocumentFile(path));
  EXPECT_EQ(frame->RecentFiles().Paths(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
  ASSERT_TRUE(frame->OpenDocumentFile(paths[2]));
  EXPECT_EQ(frame->RecentFiles().Paths(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));

  EXPECT_FALSE(frame->RecentFilePlaceholder()->isVisible());
  for (int i = 0; i < kRecentFileCount; ++i) {
    EXPECT_TRUE(frame->RecentFileAction(i)->isVisible());
    EXPECT_EQ(frame->RecentFileAction(i)->text(),
              QString("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(frame->RecentFiles().Paths().at(i))));
    EXPECT_EQ(frame->RecentFileAction(i)->statusTip(), "Open this document");
  }

  // The list is in the settings for the next run.
  RecentFileList again(*settings, kRecentFileCount);
  EXPECT_EQ(again.Paths(), frame->RecentFiles().Paths());
}

TEST_F(FileCommands, RecentEntryOneOpensItsFileAndTakesItsPath) {
  const MemoryImage sample = SampleImage();
  const QString path = WriteFile("first.sin", sample);
  ASSERT_TRUE(frame->OpenDocumentFile(path));
  ASSERT_TRUE(frame->OnFileNew());
  ASSERT_EQ(ViewContent(), Collected(NewImage()));

  frame->RecentFileAction(0)->trigger();
  EXPECT_EQ(ViewContent(), sample);
  EXPECT_EQ(PathName(), path);
  // So Save writes to that file, not to a name asked for or an older one.
  QFile::remove(path);
  ASSERT_TRUE(frame->OnFileSave());
  EXPECT_EQ(chooser.saveCalls, 0);
  EXPECT_EQ(ReadFile(path), Bytes(sample));
}

TEST_F(FileCommands, ARecentFileThatIsGoneIsReportedAndDropped) {
  const QString kept = WriteFile("kept.sin", SampleImage());
  const QString gone = WriteFile("gone.sin", SampleImage());
  ASSERT_TRUE(frame->OpenDocumentFile(kept));
  ASSERT_TRUE(frame->OpenDocumentFile(gone));
  QFile::remove(gone);
  frame->OnRecentFile(0);
  EXPECT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(frame->RecentFiles().Paths(), QStringList{kept});
  EXPECT_EQ(PathName(), gone);  // the document is left as it was
}

TEST_F(FileCommands, UnchangedWorkIsNeverAskedAbout) {
  ASSERT_TRUE(frame->OpenDocumentFile(WriteFile("a.sin", SampleImage())));
  ASSERT_TRUE(frame->OnFileNew());
  chooser.paths = {WriteFile("b.sin", SampleImage())};
  ASSERT_TRUE(frame->OnFileOpen());
  frame->OnRecentFile(1);
  EXPECT_TRUE(frame->close());
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(FileCommands, AChangeIsAskedAboutBeforeNew) {
  const MemoryImage sample = SampleImage();
  ASSERT_TRUE(frame->OpenDocumentFile(WriteFile("a.sin", sample)));
  emit frame->View().contentChanged();
  ASSERT_TRUE(document.IsModified());

  prompter.answers = {Answer::Cancel};
  EXPECT_FALSE(frame->OnFileNew());
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].buttons, Buttons::YesNoCancel);
  EXPECT_NE(prompter.asked[0].text.find("a.sin"), std::string::npos);
  EXPECT_EQ(ViewContent(), sample);
  EXPECT_TRUE(document.IsModified());

  prompter.answers = {Answer::No};
  EXPECT_TRUE(frame->OnFileNew());
  EXPECT_EQ(ViewContent(), Collected(NewImage()));
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(chooser.saveCalls, 0);
}

TEST_F(FileCommands, YesSavesFirstAndACancelledSaveStopsTheCommand) {
  emit frame->View().contentChanged();
  prompter.answers = {Answer::Yes};
  chooser.paths = {};  // the Save As dialog is cancelled
  EXPECT_FALSE(frame->OnFileNew());
  EXPECT_TRUE(document.IsModified());

  const QString saved = dir.filePath("saved.sin");
  prompter.answers = {Answer::Yes};
  chooser.paths = {saved};
  const QString other = WriteFile("other.sin", SampleImage());
  chooser.paths.push_front(other);  // Open asks for its file first
  EXPECT_TRUE(frame->OnFileOpen());
  EXPECT_EQ(ReadFile(saved), Bytes(Collected(NewImage())));
  EXPECT_EQ(PathName(), other);
  EXPECT_EQ(ViewContent(), SampleImage());
}

TEST_F(FileCommands, ExitAsksAndCancelKeepsTheWindow) {
  emit frame->View().contentChanged();
  prompter.answers = {Answer::Cancel};
  EXPECT_FALSE(frame->close());
  EXPECT_TRUE(frame->isVisible());
  prompter.answers = {Answer::No};
  frame->Action(kCmdAppExit)->trigger();
  EXPECT_FALSE(frame->isVisible());
  EXPECT_EQ(prompter.asked.size(), 2u);
}

TEST_F(FileCommands, ARecentFileAsksBeforeReplacingAChange) {
  const QString path = WriteFile("a.sin", SampleImage());
  ASSERT_TRUE(frame->OpenDocumentFile(path));
  ASSERT_TRUE(frame->OnFileNew());
  emit frame->View().contentChanged();
  prompter.answers = {Answer::Cancel};
  frame->OnRecentFile(0);
  EXPECT_EQ(prompter.asked.size(), 1u);
  EXPECT_TRUE(document.PathName().empty());
  EXPECT_EQ(frame->RecentFiles().Paths(), QStringList{path});
}

class DroppedFiles : public FrameTest {
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

TEST_F(DroppedFiles, ADroppedFileOpensAsByFileOpen) {
  const MemoryImage sample = SampleImage();
  const QString path = WriteFile("dropped.sin", sample);
  Drop(path);
  EXPECT_EQ(PathName(), path);
  EXPECT_EQ(ViewContent(), sample);
  EXPECT_EQ(frame->RecentFiles().Paths(), QStringList{path});
}

TEST_F(DroppedFiles, ADropIsAskedAboutWhenWorkIsUnsaved) {
  emit frame->View().contentChanged();
  prompter.answers = {Answer::Cancel};
  Drop(WriteFile("dropped.sin", SampleImage()));
  EXPECT_EQ(prompter.asked.size(), 1u);
  EXPECT_TRUE(document.PathName().empty());
}

}  // namespace
}  // namespace korvel::testing
