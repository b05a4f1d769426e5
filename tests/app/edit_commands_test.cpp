// The Edit menu in the window: its keys reach the grid's channels through
// the clipboard and the rows, every change is one undo step, and the
// modified flag follows the undo stack. The rules behind paste and the rows
// are the model's, tested there.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>

#include "app/command_ids.h"
#include "app_test_support.h"
#include "editor/channel_grid.h"
#include "editor/channel_set_dialog.h"
#include "editor/sort_channels_dialog.h"
#include "model/channel_columns.h"
#include "model/channel_edits.h"
#include "model/interchange_csv.h"
#include "sample_channels.h"

namespace korvel::testing {
namespace {

class EditCommands : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_TRUE(frame->Files().OpenFile(WriteFile("sample.sin", SampleImage())));
    grid = static_cast<ChannelGrid*>(frame->View().Grid());
    grid->setFocus();
  }
  void Keys(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(grid, static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
  }
  ChannelTexts Row(int row) const { return document.Channels().Row(row); }
  // The "*" after the title.
  bool Modified() const { return frame->isWindowModified(); }

  ChannelGrid* grid = nullptr;
};

TEST_F(EditCommands, CopyPasteUndoRedoThroughTheKeys) {
  const ChannelTexts first = Row(1);
  const MemoryImage opened = ViewContent();
  grid->SelectRows(1, 1);
  Keys(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            "145.50000\t145.50000\tOFF\t88.5\tWide\tYes\tHigh\tNone\tOFF\tClose\n");

  grid->SelectRows(50, 50);
  Keys(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Row(50), first);
  EXPECT_TRUE(Modified());
  EXPECT_EQ(frame->Action(kCmdEditUndo)->text(), "&Undo Paste");

  Keys(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Row(50).AllEmpty());
  EXPECT_EQ(ViewContent(), opened);
  EXPECT_FALSE(Modified());

  Keys(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Row(50), first);
  Keys(Qt::Key_Z, Qt::ControlModifier);
  Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Row(50), first);
  EXPECT_TRUE(Modified());
}

// The rows' rules are the model's; here the keys reach them, one step each.
TEST_F(EditCommands, RowKeysEmptyInsertAndMoveChannels) {
  const ChannelTexts first = Row(1);
  const ChannelTexts last = Row(128);
  grid->SelectRows(1, 1);
  Keys(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_TRUE(Row(1).AllEmpty());
  EXPECT_EQ(Row(2), first);
  Keys(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Row(1), first);
  Keys(Qt::Key_Delete);
  EXPECT_TRUE(Row(1).AllEmpty());
  Keys(Qt::Key_Insert);  // refused: channel 128 is in use
  EXPECT_EQ(Row(128), last);
  EXPECT_EQ(prompter.Texts().back(), "Channel 128 is in use. Delete or move it before inserting a channel.");
  // Three changes, three steps: undone in turn, the file's content is back.
  int steps = 0;
  for (; frame->Action(kCmdEditUndo)->isEnabled(); ++steps) frame->Action(kCmdEditUndo)->trigger();
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(Row(1), first);
  EXPECT_FALSE(Modified());
}

TEST_F(EditCommands, ARefusedPasteChangesNothingAndSaysWhere) {
  const MemoryImage before = ViewContent();
  QGuiApplication::clipboard()->setText("146.52\t146.52\tOFF\tOFF\tWide\tYes\tHigh\tNone\tOFF\tClose\n"
                                        "999\t146.52\tOFF\tOFF\tWide\tYes\tHigh\tNone\tOFF\tClose\n");
  grid->SelectRows(10, 10);
  Keys(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(ViewContent(), before);
  EXPECT_FALSE(frame->Action(kCmdEditUndo)->isEnabled()) << frame->Action(kCmdEditUndo)->text().toStdString();
  ASSERT_FALSE(prompter.Texts().empty());
  EXPECT_NE(prompter.Texts().back().find("Channel 11"), std::string::npos) << prompter.Texts().back();
  EXPECT_NE(prompter.Texts().back().find("999"), std::string::npos);
}

TEST_F(EditCommands, DelAndInsertInAnOpenListLeaveTheChannelsAlone) {
  const ChannelTexts first = Row(1);
  grid->SetCurrent(1, 5);
  Keys(Qt::Key_F2);
  QWidget* chooser = QApplication::focusWidget();
  ASSERT_NE(chooser, grid);
  for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Insert}) QTest::keyClick(chooser, key);
  QCoreApplication::processEvents();
  EXPECT_EQ(Row(1), first);
  EXPECT_TRUE(prompter.asked.empty()) << "no insert was tried (channel 128 is in use)";
}

TEST_F(EditCommands, ACellEditIsOneStepAndAnOpenEditorKeepsItsOwnKeys) {
  grid->SetCurrent(5, 1);
  Keys(Qt::Key_1);
  auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(box, nullptr);
  QTest::keyClicks(box, "46.52");
  // Ctrl+A and Ctrl+C belong to the box while it is open.
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "146.52");
  QTest::keyClick(box, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(Row(5)[kRxFrequency], "146.52000");
  EXPECT_EQ(frame->Action(kCmdEditUndo)->text(), "&Undo Edit Channel 5");
  frame->Action(kCmdEditUndo)->trigger();
  EXPECT_TRUE(Row(5).AllEmpty());
}

// The CSV format's rules are the model's; here the files go through the
// chooser, an import is one undo step, the message pane tells what was done
// and the grid shows the first channel imported.
TEST_F(EditCommands, ExportedChannelsEditedInTheFileComeBackAsOneStep) {
  const QString csv = dir.filePath("channels.csv");
  chooser.paths = {csv};
  frame->Action(kCmdExportChannels)->trigger();
  EXPECT_EQ(frame->Panes().MessageText(), "Exported 2 channels to channels.csv");
  QByteArray text = QByteArray::fromStdString(ReadFile(csv));
  ASSERT_TRUE(text.contains("145.50000")) << text.toStdString();
  WriteBytes("channels.csv", text.replace("145.50000", "147.00000").toStdString());
  chooser.paths = {csv};
  frame->Action(kCmdImportChannels)->trigger();
  EXPECT_EQ(Row(1)[kRxFrequency], "147.00000");
  EXPECT_EQ(frame->Action(kCmdEditUndo)->text(), "&Undo Import Channels");
  EXPECT_EQ(frame->Panes().MessageText(), "Imported 2 channels (1, 128) from channels.csv");

  // The import dialog's "Replace all channels" empties those the file does not name.
  WriteBytes("channels.csv", "Channel,Receive,Transmit\r\n101,146.52,146.52\r\n100,146.52,\r\n");
  chooser.paths = {csv};
  chooser.replaceAll = true;
  frame->Action(kCmdImportChannels)->trigger();
  EXPECT_TRUE(Row(1).AllEmpty());
  EXPECT_EQ(Row(101)[kTxFrequency], "146.52000");
  EXPECT_EQ(frame->Panes().MessageText(), "Imported 2 channels (100-101) from channels.csv and emptied the others");
  QCoreApplication::processEvents();
  EXPECT_EQ(grid->SelectedRows(), std::vector<int>{100});
  EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualRect(grid->model()->index(99, 0))));
}

// The orders are the model's; here the dialog's choice reaches them, and the
// sort is one step.
TEST_F(EditCommands, SortingThirtyChannelsByReceiveIsUndoneInOneStep) {
  test::SetFallingChannels(document.Channels(), 30);
  document.Channels().SetRow(128, {});
  document.History().CloseStep();
  const MemoryImage before = ViewContent();
  std::vector<ChannelTexts> unsorted(1);
  for (int row = 1; row <= 30; ++row) unsorted.push_back(Row(row));
  ASSERT_TRUE(AnswerModal<SortChannelsDialog>([&] { frame->Action(kCmdSortChannels)->trigger(); },
                                              [](SortChannelsDialog& dialog) {
                                                dialog.ColumnList()->setCurrentText("Receive");
                                                dialog.accept();
                                              }));
  for (int row = 1; row <= 30; ++row) EXPECT_EQ(Row(row), unsorted[31 - row]) << row;
  EXPECT_EQ(frame->Action(kCmdEditUndo)->text(), "&Undo Sort");
  frame->Action(kCmdEditUndo)->trigger();
  EXPECT_EQ(ViewContent(), before);
}

TEST_F(EditCommands, StandardChannelsGoInFromTheCurrentRow) {
  grid->SetCurrent(40, 1);
  ASSERT_TRUE(AnswerModal<ChannelSetDialog>([&] { frame->Action(kCmdInsertStandardChannels)->trigger(); },
                                            [](ChannelSetDialog& dialog) {
                                              dialog.SetList()->setCurrentIndex(0);
                                              dialog.accept();
                                            }));
  EXPECT_EQ(Row(40), (ChannelTexts{{"446.00625", "446.00625", "OFF", "OFF", "Narrow", "Yes", "High", "DTMF", "ON",
                                     "Close"}}));
  EXPECT_EQ(Row(55)[kRxFrequency], "446.19375");
  EXPECT_TRUE(Row(56).AllEmpty());
  EXPECT_EQ(grid->SelectedRows().size(), 16u);
  // The sample's band is 136 - 174MHz: one notice for the set.
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"Out of range!"});
  EXPECT_EQ(frame->Action(kCmdEditUndo)->text(), "&Undo Insert Standard Channels");
}

// A list another program wrote comes in by its header (the export shows
// what came in); Export Channels writes the layout chosen as the file type,
// or says which channels it cannot hold and writes nothing.
TEST_F(EditCommands, AnInterchangeListComesInAndGoesOutInItsOwnLayout) {
  chooser.paths = {WriteBytes("other.csv",
                              "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                              "Mode,TStep,Skip,Comment\r\n0,Calling,145.500000,,0.000000,,88.5,88.5,023,NN,FM,12.50,,\r\n"
                              "4,Club,145.600000,-,0.600000,Tone,88.5,88.5,023,NN,NFM,12.50,S,Hill\r\n")};
  frame->Action(kCmdImportChannels)->trigger();
  EXPECT_EQ(frame->Panes().MessageText(),
            "Imported 2 channels (1, 5) from other.csv; 2 names dropped; numbered from 0, each moved up one");
  const QString out = dir.filePath("out.csv");
  chooser.layout = ChannelLayout::Interchange;
  chooser.paths = {out};
  frame->Action(kCmdExportChannels)->trigger();
  EXPECT_EQ(ReadFile(out), std::string(kInterchangeHeader) +
                               "\r\n1,,145.500000,,0.000000,,88.5,88.5,023,NN,FM,25.00,,,Tone->Tone,High"
                               "\r\n5,,145.600000,-,0.600000,Tone,88.5,88.5,023,NN,NFM,25.00,S,,Tone->Tone,High"
                               "\r\n128,,146.025000,+,0.600000,Cross,88.5,88.5,023,NN,NFM,25.00,S,,->DTCS,Low\r\n");
  document.Channels().SetCell(128, ColumnOf(kRxTone), "88.5");
  chooser.paths = {out};
  frame->Action(kCmdExportChannels)->trigger();
  EXPECT_EQ(prompter.Texts().back(), "Nothing was exported: the interchange layout cannot hold 1 channel.\nChannel 128: "
                                     "A receive tone without a transmit tone has no form in the layout.");
  EXPECT_NE(ReadFile(out).find("->DTCS,Low"), std::string::npos) << "the file is as it was";
}

TEST_F(EditCommands, TheMaximisedWindowShowsMoreChannelsInWiderColumns) {
  const int narrow = grid->columnWidth(0);
  frame->resize(1600, 1200);
  QCoreApplication::processEvents();
  const int lastShown = grid->rowAt(grid->viewport()->height() - 1) + 1;
  EXPECT_GT(lastShown, 30);
  EXPECT_GT(grid->columnWidth(0), narrow * 3 / 2);
  EXPECT_LE(grid->geometry().right(), frame->View().width());
}

}  // namespace
}  // namespace korvel::testing
