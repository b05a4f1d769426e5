// The safeguards in the window: verify after write, the backup of a read
// opened again, and Compare With. (Which transfers keep a backup is in the
// table of transfer_commands_test.cpp.)

#include <QTreeWidget>

#include "app/backup_list_dialog.h"
#include "app/command_ids.h"
#include "app/differences_dialog.h"
#include "model/document_history.h"
#include "model/channel_edits.h"
#include "window_transfer.h"

namespace korvel::testing {
namespace {

// The rows' texts by column, after the headings when asked for.
std::vector<QStringList> Rows(const QTreeWidget& list, bool headings = false) {
  std::vector<QStringList> rows;
  for (int i = headings ? -1 : 0; i < list.topLevelItemCount(); ++i) {
    QStringList row;
    for (int c = 0; c < list.columnCount(); ++c) row << (i < 0 ? list.headerItem() : list.topLevelItem(i))->text(c);
    rows.push_back(row);
  }
  return rows;
}

using Safeguards = WindowTransfer;

TEST_F(Safeguards, VerifyAfterWriteShowsWhereTheRadioHoldsSomethingElse) {
  ASSERT_TRUE(frame->Action(kCmdVerifyAfterWrite)->isChecked()) << "on unless turned off";
  radiosim::RadioFaults faults;
  faults.corruptStoredByte = 2 * kRowSize + 1;  // channel 3's receive frequency
  Connect(NewImage(), faults);
  CommitFrequency(document.Channels(), 3, 1, "146.52", prompter);
  frame->OnWriteToRadio();
  std::vector<QStringList> rows;
  ASSERT_TRUE(AnswerModal<DifferencesDialog>(
      [&] {
        Start();
        ASSERT_TRUE(WaitForEnd());
      },
      [&](DifferencesDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Verify After Write");
        rows = Rows(*dialog.List());
        dialog.done(0);
      }));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].mid(0, 3), (QStringList{"Channel 3", "Receive", "146.52000"}));
  EXPECT_NE(rows[0][3], "146.52000");
}

TEST_F(Safeguards, AReadIsKeptAsABackupThatOpensAsAnUntitledDocument) {
  const MemoryImage memory = SampleImage();
  Connect(memory);
  frame->OnReadFromRadio();
  Start();
  ASSERT_TRUE(WaitForEnd());
  EXPECT_EQ(TitleName(), "Untitled*") << "the read changed the document, not its name";
  document.History().MarkSaved();
  ASSERT_TRUE(frame->Files().New());
  std::vector<QStringList> rows;
  EXPECT_TRUE(AnswerModal<BackupListDialog>([&] { frame->Action(kCmdOpenBackup)->trigger(); },
                                            [&](BackupListDialog& dialog) {
                                              rows = Rows(*dialog.List(), true);
                                              dialog.done(BackupListDialog::Open);
                                            }));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (QStringList{"Kept", "Radio", "File"}));
  EXPECT_EQ(rows[1][1], "KVRS-FF");
  EXPECT_EQ(ViewContent(), test::ThroughGrid(memory));
  EXPECT_TRUE(document.PathName().empty()) << "saving must never overwrite the backup";
  EXPECT_EQ(TitleName(), rows[1][2].toStdString() + " (unsaved copy)");
}

TEST_F(Safeguards, CompareWithListsEveryChannelTextThatDiffers) {
  chooser.paths = {WriteFile("other.sin", SampleImage())};
  std::vector<QStringList> rows;
  ASSERT_TRUE(AnswerModal<DifferencesDialog>([&] { frame->Action(kCmdCompareWith)->trigger(); },
                                             [&](DifferencesDialog& dialog) {
                                               rows = Rows(*dialog.List());
                                               dialog.done(0);
                                             }));
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], (QStringList{"Channel 1", "Receive", "(empty)", "145.50000"}));
}

}  // namespace
}  // namespace korvel::testing
