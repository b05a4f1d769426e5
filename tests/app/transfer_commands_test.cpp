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
#include "simulated_port.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel::testing {
namespace {

TEST_F(WindowTransfer, CompleteReadShowsTheRadiosMemoryAndIsAChangeToKeep) {
  const MemoryImage memory = SampleImage();
  Connect(memory);
  frame->OnReadFromRadio();
  ASSERT_TRUE(Dialog().HasWindow());
  EXPECT_EQ(Dialog().windowTitle(), texts::kReadingCaption);
  EXPECT_EQ(Dialog().StatusText(), texts::kNotStartYet);
  EXPECT_EQ(Dialog().Progress(), 0);
  Start();
  ASSERT_TRUE(WaitForEnd());
  EXPECT_EQ(document.Image(), memory);
  EXPECT_EQ(ViewContent(), memory) << "the grid and the bar show what the radio holds";
  EXPECT_TRUE(document.IsModified());
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(port->OpenedName(), "COM1");
  EXPECT_TRUE(frame->Action(kCmdFileSave)->isEnabled()) << "commands come back after the transfer";
}

TEST_F(WindowTransfer, CompleteWriteSendsWhatTheGridShows) {
  Connect(NewImage());
  CommitFrequency(document.Channels(), 3, 1, "146.52", prompter);
  frame->View().History().MarkSaved();
  frame->OnWriteToRadio();
  EXPECT_EQ(Dialog().windowTitle(), texts::kWritingCaption);
  Start();
  ASSERT_TRUE(WaitForEnd());
  EXPECT_EQ(radio->Image(), document.Image());
  EXPECT_EQ(document.Channels().Cell(3, 2), "146.52000");
  EXPECT_EQ(radio->Image(), ViewContent());
  EXPECT_FALSE(document.IsModified());
}

// Each failure of a transfer: its message, and the document as it was.
TEST_F(WindowTransfer, EndsThatFailLeaveTheDocumentAsItWas) {
  radiosim::RadioFaults shortReply, silent;
  shortReply.shortReplyBlock = 40;
  shortReply.shortReplyLength = 5;
  silent.silent = true;
  const struct {
    const char* name;
    bool write;
    radiosim::RadioFaults faults;
    std::uint8_t radioType;
    bool openFails;
    std::deque<Answer> answers;
    std::vector<std::string> prompts;
    bool radioWritten;
  } cases[] = {
      {"short read reply", false, shortReply, 0xFF, false, {}, {texts::kShortReply}, false},
      {"silent radio", false, silent, 0xFF, false, {}, {texts::kCommunicationError}, false},
      {"port held", false, {}, 0xFF, true, {}, {texts::kPortNotOpened}, false},
      {"type mismatch: Cancel", true, {}, 0x22, false, {Answer::Cancel}, {texts::kTypeMismatch}, false},
      {"type mismatch: OK writes", true, {}, 0x22, false, {Answer::Ok}, {texts::kTypeMismatch}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryImage memory = SampleImage();
    memory[settings::kRadioType] = c.radioType;
    Connect(memory, c.faults);
    port->openFails = c.openFails;
    document.OnNewDocument();
    frame->ShowNewDocument();
    const MemoryImage before = document.Image();
    prompter.asked.clear();
    prompter.answers = c.answers;
    c.write ? frame->OnWriteToRadio() : frame->OnReadFromRadio();
    Start();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(prompter.Texts(), c.prompts);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.Image(), c.write ? Collected(before) : before);
    EXPECT_EQ(radio->Image() == memory, !c.radioWritten);
  }
}

TEST_F(WindowTransfer, CancelBeforeStartClosesAtOnceAndDuringATransferEndsIt) {
  Connect(SampleImage(), {}, /*realPauses=*/true);
  frame->OnReadFromRadio();
  Dialog().CancelButton()->click();
  EXPECT_FALSE(Dialog().HasWindow());
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
    EXPECT_TRUE(Dialog().HasWindow());
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
  frame->Progress().StartButton()->click();
  EXPECT_TRUE(test::ChildProcess::WaitFor(
      [&] {
        QCoreApplication::processEvents();
        return !frame->TransferRunning() && !frame->Progress().HasWindow();
      },
      30'000));
  radio.Signal(SIGTERM);
  EXPECT_EQ(radio.Wait(10'000), 0);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(test::ImageFromFile(saved), document.Image());
}

}  // namespace
}  // namespace korvel::testing
