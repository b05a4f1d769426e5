// Read From Radio and Write To Radio in the window: the progress dialog,
// the transfer on its thread, and what each end leaves in the document.

#include <QCompleter>
#include <QLineEdit>
#include <QThread>
#include <QTimer>
#include <functional>

#include "window_transfer.h"
#include "app/other_port_dialog.h"
#include "model/document_history.h"
#include "link/transfer_texts.h"
#include "model/backup_store.h"
#include "model/channel_edits.h"
#include <csignal>

#include "child_process.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel::testing {
namespace {

// How each end of a transfer shows in the window: the dialog as it opens,
// the one message (or none), what enters the document, the radio and the
// backups, the commands back once the dialog has closed, and a success in
// the message pane with the device and the time on the transfer's clock.
// The failures themselves are the link's; a failed read, a refused write
// and a failed check read stand for them here.
TEST_F(WindowTransfer, EachEndShowsInTheDocumentTheRadioAndOneMessage) {
  const test::ScopedEnv com1("KORVEL_COM1", "/dev/ttyUSB7");
  radiosim::RadioFaults silent;
  silent.silent = true;
  enum Backup { kNone, kKept, kFails };  // of the read, or before the write
  const struct {
    const char* name;
    bool write;
    radiosim::RadioFaults faults;
    std::uint8_t radioType;  // in the ident reply
    Backup backup;
    std::deque<Answer> answers;
    std::string prompt;  // the start of the last message; empty: none
    bool radioWritten;
    bool verify = false;
    std::string outcome = "";  // in the message pane
  } cases[] = {
      {"read completes", false, {}, 0x3A, kKept, {}, "", false, false, "Read KR - 300 on /dev/ttyUSB7 in 5.3 s"},
      {"read of an unknown model", false, {}, 0x07, kKept, {}, "", false, false,
       "Read the radio on /dev/ttyUSB7 in 5.3 s"},
      {"write completes", true, {}, 0xFF, kNone, {}, "", true, false, "Written on /dev/ttyUSB7 in 0.5 s"},
      {"write verified", true, {}, 0xFF, kNone, {}, "", true, true, "Written and verified on /dev/ttyUSB7 in 5.8 s"},
      {"write backs up first", true, {}, 0xFF, kKept, {}, "", true, false, "Written on /dev/ttyUSB7 in 5.8 s"},
      {"backup before write fails", true, {}, 0xFF, kFails, {}, "Nothing was written: ", false},
      {"read fails", false, silent, 0xFF, kNone, {}, texts::kCommunicationError, false},
      {"type mismatch: Cancel", true, {}, 0x22, kNone, {Answer::Cancel}, texts::kTypeMismatch, false},
      {"type mismatch: OK writes", true, {}, 0x22, kNone, {Answer::Ok}, texts::kTypeMismatch, true, false,
       "Written on /dev/ttyUSB7 in 0.9 s"},
      // Cancel on the check read's communication error: the write stands.
      {"check read fails", true, {.badReadAckBlock = 20}, 0xFF, kNone, {}, "The radio was written completely; "
       "only the check read after it failed (read acknowledgement failed).", true, true},
  };
  // A message box takes the activation from the dialog, as a real one does;
  // the transfer's own messages must not count as an interruption.
  prompter.onAsk = [this](const Prompt&) {
    const bool here = QThread::currentThread() == Dialog().thread();
    QMetaObject::invokeMethod(&Dialog(), [this] { Deactivate(); },
                              here ? Qt::DirectConnection : Qt::BlockingQueuedConnection);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const MemoryImage memory = SampleImage();
    Connect(memory, c.faults, false, c.radioType);
    frame->Action(kCmdBackupBeforeWrite)->setChecked(c.write && c.backup != kNone);
    frame->Action(kCmdVerifyAfterWrite)->setChecked(c.verify);
    const std::string backups = dir.filePath(c.name).toStdString();
    frame->Transfers().SetBackupFolder(c.backup == kFails ? WriteBytes("a file", "x").toStdString() + "/backups"
                                                          : backups);
    document.OnNewDocument();
    frame->Files().Commands().New();
    CommitFrequency(document.Channels(), 3, 1, "146.52", prompter);
    document.History().MarkSaved();
    const MemoryImage before = document.Image();
    MemoryImage shown = before;  // what the grid shows, as a write sends it
    document.Channels().Collect(shown);
    prompter.asked.clear();
    prompter.answers = c.answers;
    frame->Panes().ShowOutcome({});
    c.write ? frame->OnWriteToRadio() : frame->OnReadFromRadio();
    ASSERT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Dialog().windowTitle(), c.write ? texts::kWritingCaption : texts::kReadingCaption);
    EXPECT_EQ(Dialog().StatusText(), texts::kNotStartYet);
    EXPECT_EQ(Dialog().Progress(), 0);
    Start();
    EXPECT_FALSE(frame->Action(kCmdFileSave)->isEnabled()) << "nothing replaces the document meanwhile";
    ASSERT_TRUE(WaitForEnd());
    const std::vector<std::string> prompts = prompter.Texts();
    ASSERT_EQ(prompts.empty(), c.prompt.empty());
    if (!c.prompt.empty()) {
      EXPECT_EQ(prompts.back().substr(0, c.prompt.size()), c.prompt);
    }
    EXPECT_EQ(frame->Panes().OutcomeText().toStdString(), c.outcome);
    EXPECT_EQ(port->OpenedName(), "COM1");
    EXPECT_TRUE(frame->Action(kCmdFileSave)->isEnabled()) << "commands come back after the transfer";
    const bool read = !c.write && c.prompt.empty();
    EXPECT_EQ(document.Image(), read ? memory : c.write ? shown : before);
    EXPECT_EQ(ViewContent(), read ? memory : shown) << "the grid and the bar show what the radio holds";
    EXPECT_EQ(document.IsModified(), read) << "a read is a change to keep";
    EXPECT_EQ(radio->Image(), c.radioWritten ? shown : memory);
    const std::vector<BackupEntry> kept = BackupStore(backups).List();
    ASSERT_EQ(kept.size(), c.backup == kKept ? 1u : 0u);
    if (!kept.empty()) {
      EXPECT_EQ(test::ImageFromFile(kept[0].path), memory) << "what the radio held";
    }
  }
}

// Each way to stop a running transfer ends it at its next cancel check,
// with the one message an interruption gives; the main window closed
// meanwhile (or told to go by SIGTERM or SIGHUP) closes once the transfer
// has ended and a part written radio has been warned about, unless the
// user chose to write it again. A stray click or drag stops a read, not a write; a write
// stopped part way says so, and Write Again writes it whole. Meanwhile the
// document's commands wait and a key typed into the grid opens no editor.
TEST_F(WindowTransfer, EachStopDuringATransferEndsItAtOnce) {
  const auto deactivate = [this] { for (int i = 0; i < 3; ++i) Deactivate(); };
  const auto move = [this] { for (int i = 0; i < 3; ++i) Dialog().move(Dialog().pos() + QPoint(5, 5)); };
  const struct {
    const char* name;
    bool write;
    std::function<void()> stop;
    std::vector<PromptId> prompts;
    bool completes;
    bool closes;
    std::deque<Answer> answers = {};
  } cases[] = {
      {"Cancel", true, [this] { Dialog().CancelButton()->click(); }, {PromptId::PartialWrite}, false, false},
      {"Cancel, then Write Again", true, [this] { Dialog().CancelButton()->click(); }, {PromptId::PartialWrite}, true,
       false, {Answer::WriteAgain}},
      {"deactivated during a write", true, deactivate, {}, true, false},
      {"moved during a write", true, move, {}, true, false},
      {"deactivated during a read", false, deactivate, {PromptId::Message}, false, false},
      {"moved during a read", false, move, {PromptId::Message}, false, false},
      {"main window closed", true, [this] { EXPECT_FALSE(frame->close()) << "not while the transfer runs"; },
       {PromptId::PartialWrite}, false, true},
      {"main window closed, then Write Again", true, [this] { frame->close(); }, {PromptId::PartialWrite}, true,
       false, {Answer::WriteAgain}},
      {"SIGTERM", true, [] { std::raise(SIGTERM); }, {PromptId::PartialWrite}, false, true},
      {"SIGHUP", true, [] { std::raise(SIGHUP); }, {PromptId::PartialWrite}, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    frame->show();
    Connect(NewImage(), {}, /*realPauses=*/true);
    frame->Action(kCmdVerifyAfterWrite)->setChecked(false);
    document.Image() = SampleImage();
    document.FillFromImage();
    document.History().MarkSaved();
    const MemoryImage shown = ViewContent();
    prompter.asked.clear();
    prompter.answers = c.answers;
    c.write ? frame->OnWriteToRadio() : frame->OnReadFromRadio();
    Start();
    ASSERT_TRUE(WaitForProgress(3));
    EXPECT_FALSE(frame->Action(kCmdFileOpen)->isEnabled()) << "nothing replaces the document meanwhile";
    QTest::keyClick(frame->View().Grid(), Qt::Key_5);
    QTest::keyClick(frame->View().Grid(), Qt::Key_Return);
    c.stop();
    ASSERT_TRUE(WaitForEnd(c.completes ? 20000 : 2000)) << "a cancelled wait ends at once";
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.Ids(), c.prompts);
    if (c.prompts == std::vector<PromptId>{PromptId::Message}) {
      EXPECT_EQ(prompter.Texts()[0], texts::kInterrupted);
    }
    EXPECT_EQ(ViewContent(), shown) << "the grid took no edit";
    EXPECT_EQ(radio->Image() == document.Image(), c.completes);
    EXPECT_TRUE(frame->Action(kCmdFileOpen)->isEnabled());
    EXPECT_EQ(frame->isVisible(), !c.closes) << "closed once the transfer had ended";
  }
}

TEST_F(WindowTransfer, AnIdleDialogClosesAtOnceOnCancelAndKeepsItsCaption) {
  Connect(SampleImage());
  frame->OnReadFromRadio();
  Deactivate();
  EXPECT_TRUE(Dialog().isVisible()) << "losing activation while idle does nothing";
  Dialog().CancelButton()->click();
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(port->Opens(), 0);

  frame->OnReadFromRadio();
  frame->OnWriteToRadio();
  EXPECT_EQ(Dialog().windowTitle(), texts::kReadingCaption);
  Start();
  ASSERT_TRUE(WaitForEnd());
  EXPECT_EQ(radio->Image(), document.Image()) << "it wrote";
  EXPECT_TRUE(prompter.asked.empty());
}

// The window's own link, the serial port and real time, against the
// simulated radio on a pseudo-terminal typed in Port > Other Port...: a
// read brings the radio's memory, a write sends the document's.
TEST_F(WindowTransfer, AReadAndAWriteThroughAPortTypedInOtherPortReachTheRadio) {
  test::TempDir radioDir;
  const std::string saved = radioDir.File("radio.sin");
  test::WriteFile(radioDir.File("start.sin"), test::ImageBytes(SampleImage()));
  test::ChildProcess radio;
  ASSERT_TRUE(radio.Spawn({test::ToolPath("tools/radiosim/korvel-radiosim"), "--fast", "--image",
                           radioDir.File("start.sin"), "--save", saved}));
  std::string device;
  ASSERT_TRUE(radio.FirstLine(&device, 10'000));
  bool refusedEmpty = false;
  QString completed;
  QTimer::singleShot(0, frame.get(), [&] {
    auto* dialog = qobject_cast<OtherPortDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->PathEdit()->clear();
    refusedEmpty = !dialog->OkButton()->isEnabled();
    QTest::keyClicks(dialog->PathEdit(), QString::fromStdString(device));
    dialog->PathEdit()->completer()->setCompletionPrefix(QString::fromStdString(device));
    completed = dialog->PathEdit()->completer()->currentCompletion();
    dialog->OkButton()->click();
  });
  frame->Action(kCmdOtherPort)->trigger();  // returns once OK has closed it
  EXPECT_TRUE(refusedEmpty);
  EXPECT_EQ(completed.toStdString(), device);
  EXPECT_EQ(frame->View().PortName().toStdString(), device);
  EXPECT_EQ(frame->Panes().PortText().toStdString(), device);

  frame->OnReadFromRadio();
  Start();
  EXPECT_TRUE(WaitForEnd(30'000));
  EXPECT_EQ(document.Image(), SampleImage());
  document.Channels().SetCell(1, 1, "147.00000");
  frame->OnWriteToRadio();
  Start();
  EXPECT_TRUE(WaitForEnd(30'000));
  radio.Signal(SIGTERM);
  EXPECT_EQ(radio.Wait(10'000), 0);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(test::ImageFromFile(saved), document.Image());
  EXPECT_NE(document.Image(), SampleImage());
}

}  // namespace
}  // namespace korvel::testing
