#pragma once
// Test doubles and a frame fixture for the desktop program's tests: the
// prompter and the file chooser answer from scripts, settings live in a
// temporary file.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <type_traits>
#include <string>
#include <QToolBar>

#include "app/file_chooser.h"
#include "app/file_commands.h"
#include "app/main_frame.h"
#include "app/print_commands.h"
#include "app/status_panes.h"
#include "app/transfer_controller.h"
#include "editor/kov_view.h"
#include "model/channel_table.h"
#include "model/document_history.h"
#include "model/kov_document.h"
#include "model/prompter.h"
#include "offscreen_app.h"
#include "scripted_prompter.h"
#include "test_files.h"

namespace korvel::testing {

using test::ClickButton;
using test::EnsureApplication;

using test::ScriptedPrompter;

class ScriptedChooser : public FileChooser {
 public:
  QString OpenPath(QWidget*) override { return ++openCalls, Next(); }
  QString SavePath(QWidget*, const QString&) override { return ++saveCalls, Next(); }
  CsvImport ImportCsvPath(QWidget*) override { return {Next(), replaceAll}; }
  CsvExport ExportCsvPath(QWidget*, const QString&) override { return {Next(), layout}; }
  bool replaceAll = false;  // the import dialog's choice
  ChannelLayout layout = ChannelLayout::Korvel;  // the export dialog's file type
  std::deque<QString> paths;  // the answers in turn; none left: cancelled
  int openCalls = 0;
  int saveCalls = 0;

 private:
  QString Next() {
    if (paths.empty()) return {};
    const QString path = paths.front();
    paths.pop_front();
    return path;
  }
};

// Runs open, which brings up a modal dialog of type T (at once or from the
// event loop it runs); look sees the dialog and closes it as a user does.
// Says whether such a dialog came up.
template <typename T = QDialog>
bool AnswerModal(const std::function<void()>& open, const std::function<void(std::type_identity_t<T>&)>& look) {
  bool seen = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (dialog == nullptr || seen) return;
    seen = true;
    poll.stop();
    look(*dialog);
  });
  poll.start(5);
  open();
  return seen;
}

// Runs the event loop until done says so or ms have passed; says whether done.
inline bool WaitUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

// A new image with two channels in use and a bar off its defaults, as the
// grid collection leaves it (a file of it opens and saves to the same bytes).
inline MemoryImage SampleImage() {
  ChannelTable table;
  table.Fill(NewImage());
  table.SetRow(1, {{"145.50000", "145.50000", "OFF", "88.5", "Wide", "Yes", "High", "None", "OFF", "Close"}});
  table.SetRow(128, {{"146.02500", "146.62500", "D023N", "OFF", "Narrow", "No", "Low", "DTMF", "ON", "Carrier"}});
  table.SetType(TypeSettings{1, 1, 3, 1});
  MemoryImage image = NewImage();
  table.Collect(image);
  return test::ThroughGrid(image);
}

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    ASSERT_TRUE(dir.isValid());
    settings = std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat);
    frame = std::make_unique<CMainFrame>(document, prompter, chooser, *settings);
    frame->Transfers().SetBackupFolder(dir.filePath("backups").toStdString());
    frame->Files().Commands().New();
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  }
  void TearDown() override {
    // Leave no question pending on destruction.
    document.History().MarkSaved();
    frame.reset();
  }

  // Files in the test's folder, by name; read back by path.
  QString WriteFile(const QString& name, const MemoryImage& image) { return WriteBytes(name, test::ImageBytes(image)); }
  QString WriteBytes(const QString& name, const std::string& bytes) {
    test::WriteFile(dir.filePath(name).toStdString(), bytes);
    return dir.filePath(name);
  }
  static std::string ReadFile(const QString& path) { return test::ReadFile(path.toStdString()); }
  // What the view shows now (the document's working copy), collected over a
  // new image.
  MemoryImage ViewContent() {
    MemoryImage image = NewImage();
    document.Channels().Collect(image);
    return image;
  }
  QString PathName() const { return QFile::decodeName(document.PathName().c_str()); }
  // What the title bar shows (and assistive technology reads) before the
  // program's title: the document's name, "*" while modified.
  std::string TitleName() {
    const QString title = QString(frame->windowTitle()).replace("[*]", frame->isWindowModified() ? "*" : "");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(frame.get())->text(QAccessible::Name), title);
    EXPECT_TRUE(title.endsWith(" - Korvel Electronics  Programing Software")) << title.toStdString();
    return title.section(" - ", 0, -2).toStdString();
  }
  // An edit of channel 1's receive frequency: the document is modified.
  void Modify() {
    const std::string& now = document.Channels().Cell(1, 1);
    document.Channels().SetCell(1, 1, now == "146.00000" ? "147.00000" : "146.00000");
  }

  QTemporaryDir dir;
  std::unique_ptr<QSettings> settings;
  ScriptedPrompter prompter;
  ScriptedChooser chooser;
  CKovDoc document;
  std::unique_ptr<CMainFrame> frame;
};

}  // namespace korvel::testing
