// Read From Radio and Write To Radio in the window: the progress dialog,
// the transfer on its thread, and what each end leaves in the document.

#include <QElapsedTimer>
#include <QPushButton>

#include "app/progress_dialog.h"
#include "window_transfer.h"
#include "editor/document_history.h"
#include "link/transfer_texts.h"
#include "model/channel_edits.h"
#include "model/settings_block.h"
#include <csignal>

#include "child_process.h"
#include "protocol_port.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel::testing {
namespace {

// How each end of a transfer shows in the window: the dialog as it opens,
// the one message (or none), what enters the document and the radio, and
// the commands back once the dialog has closed. The failures themselves are
// the link's; a failed read and a refused write stand for them here.
TEST_F(WindowTransfer, EachEndShowsInTheDocumentTheRadioAndOneMessage) {
  radiosim::RadioFaults silent;
  silent.silent = true;
  const struct {
    const char* name;
    bool write;
    radiosim::RadioFaults faults;
    std::uint8_t radioType;
    bool backupFails;
    std::deque<Answer> answers;
    std::string prompt;  // the start of the one message; empty: none
    bool documentRead;
    bool radioWritten;
  } cases[] = {
      {"read completes", false, {}, 0xFF, false, {}, "", true, false},
      {"write completes", true, {}, 0xFF, false, {}, "", false, true},
      {"read fails", false, silent, 0xFF, false, {}, texts::kCommunicationError, false, false},
      {"type mismatch: Cancel", true, {}, 0x22, false, {Answer::Cancel}, texts::kTypeMismatch, false, false},
      {"type mismatch: OK writes", true, {}, 0x22, false, {Answer::Ok}, texts::kTypeMismatch, false, true},
      {"backup before write fails", true, {}, 0xFF, true, {}, "Nothing was written: ", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryImage memory = SampleImage();
    memory[settings::kRadioType] = c.radioType;
    Connect(memory, c.faults);
    frame->Action(kCmdBackupBeforeWrite)->setChecked(c.backupFails);
    frame->Transfers().SetBackupFolder(
        c.backupFails ? WriteBytes("not-a-folder", "x").toStdString() + "/backups"
                      : dir.filePath("backups").toStdString());
    document.OnNewDocument();
    frame->ShowNewDocument();
    CommitFrequency(document.Channels(), 3, 1, "146.52", prompter);
    frame->View().History().MarkSaved();
    const MemoryImage before = document.Image();
    MemoryImage shown = before;  // what the grid shows, as a write sends it
    document.Channels().Collect(shown);
    prompter.asked.clear();
    prompter.answers = c.answers;
    c.write ? frame->OnWriteToRadio() : frame->OnReadFromRadio();
    ASSERT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Dialog().windowTitle(), c.write ? texts::kWritingCaption : texts::kReadingCaption);
    EXPECT_EQ(Dialog().StatusText(), texts::kNotStartYet);
    EXPECT_EQ(Dialog().Progress(), 0);
    Start();
    EXPECT_FALSE(frame->Action(kCmdFileSave)->isEnabled()) << "nothing replaces the document meanwhile";
    ASSERT_TRUE(WaitForEnd());
    const std::vector<std::string> prompts = prompter.Texts();
    ASSERT_EQ(prompts.size(), c.prompt.empty() ? 0u : 1u);
    if (!c.prompt.empty()) {
      EXPECT_EQ(prompts[0].substr(0, c.prompt.size()), c.prompt);
    }
    EXPECT_EQ(port->OpenedName(), "COM1");
    EXPECT_TRUE(frame->Action(kCmdFileSave)->isEnabled()) << "commands come back after the transfer";
    if (c.documentRead) {
      EXPECT_EQ(document.Image(), memory);
      EXPECT_EQ(ViewContent(), memory) << "the grid and the bar show what the radio holds";
      EXPECT_TRUE(document.IsModified()) << "a read is a change to keep";
    } else {
      EXPECT_EQ(document.Image(), c.write ? shown : before);
      EXPECT_EQ(document.Channels().Cell(3, 2), "146.52000");
      EXPECT_FALSE(document.IsModified());
    }
    if (c.radioWritten) {
      EXPECT_EQ(radio->Image(), shown) << "the radio holds what the grid shows";
    } else {
      EXPECT_EQ(radio->Image(), memory);
    }
  }
}

TEST_F(WindowTransfer, CancelBeforeStartClosesAtOnceAndDuringATransferEndsIt) {
  Connect(SampleImage(), {}, /*realPauses=*/true);
  frame->OnReadFromRadio();
  Dialog().CancelButton()->click();
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(port->Opens(), 0);

  const MemoryImage before = document.Image();
  frame->OnReadFromRadio();
  Start();
  ASSERT_TRUE(WaitForProgress(3));
  EXPECT_FALSE(frame->Action(kCmdFileOpen)->isEnabled()) << "nothing replaces the document meanwhile";
  Dialog().CancelButton()->click();
  ASSERT_TRUE(WaitForEnd(2000)) << "a cancelled wait ends at once";
  EXPECT_EQ(document.Image(), before);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_TRUE(frame->Action(kCmdFileOpen)->isEnabled());
}

// Losing activation or moving the dialog while a transfer runs interrupts it,
// with one message; losing activation while idle does nothing.
TEST_F(WindowTransfer, InterruptionsEndARunningTransferWithOneMessage) {
  for (const bool move : {false, true}) {
    SCOPED_TRACE(move ? "moved" : "deactivated");
    Connect(NewImage(), {}, /*realPauses=*/true);
    document.Image() = SampleImage();
    document.FillFromImage();
    prompter.asked.clear();
    frame->OnWriteToRadio();
    QEvent idleDeactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&Dialog(), &idleDeactivate);
    EXPECT_TRUE(Dialog().isVisible());
    Start();
    ASSERT_TRUE(WaitForProgress(3));
    for (int i = 0; i < 3; ++i) {
      if (move) {
        Dialog().move(Dialog().pos() + QPoint(5, 5));
      } else {
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(&Dialog(), &deactivate);
      }
    }
    ASSERT_TRUE(WaitForEnd(2000));
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{texts::kInterrupted});
    EXPECT_NE(radio->Image(), document.Image()) << "the write stopped part way";
  }
}

TEST_F(WindowTransfer, AnOpenIdleDialogKeepsItsCaptionAndStartsTheLastDirectionChosen) {
  const MemoryImage memory = SampleImage();
  Connect(memory);
  frame->OnReadFromRadio();
  frame->OnWriteToRadio();
  EXPECT_EQ(Dialog().windowTitle(), texts::kReadingCaption);
  Start();
  ASSERT_TRUE(WaitForEnd());
  EXPECT_EQ(radio->Image(), document.Image()) << "it wrote";
}

TEST_F(WindowTransfer, ClosingTheWindowDuringATransferStopsItFirst) {
  Connect(SampleImage(), {}, /*realPauses=*/true);
  frame->OnReadFromRadio();
  Start();
  ASSERT_TRUE(WaitForProgress(3));
  EXPECT_FALSE(frame->close()) << "not while the transfer runs";
  ASSERT_TRUE(WaitForEnd(2000));
  QCoreApplication::processEvents();
  EXPECT_FALSE(frame->isVisible()) << "closed once it had ended";
}

// The window's own link, the serial port and real time, against the
// simulated radio on a pseudo-terminal.
TEST_F(FrameTest, WriteThroughASerialPortReachesTheRadio) {
  test::TempDir radioDir;
  const std::string saved = radioDir.File("radio.sin");
  test::ChildProcess radio;
  ASSERT_TRUE(radio.Spawn({test::ToolPath("tools/radiosim/korvel-radiosim"), "--fast", "--save", saved}));
  std::string device;
  ASSERT_TRUE(radio.FirstLine(&device, 10'000));

  document.Image() = SampleImage();
  document.FillFromImage();
  frame->View().SetPortName(QString::fromStdString(device));
  frame->OnWriteToRadio();
  frame->Transfers().Dialog().StartButton()->click();
  EXPECT_TRUE(test::ChildProcess::WaitFor(
      [&] {
        QCoreApplication::processEvents();
        return !frame->Transfers().Running() && !frame->Transfers().Dialog().isVisible();
      },
      30'000));
  radio.Signal(SIGTERM);
  EXPECT_EQ(radio.Wait(10'000), 0);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(test::ImageFromFile(saved), document.Image());
}

}  // namespace
}  // namespace korvel::testing
