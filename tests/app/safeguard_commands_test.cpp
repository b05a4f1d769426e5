// The safeguards in the window: verify after write, the backup of a read
// opened again, and Compare With. (Which transfers keep a backup is in the
// table of transfer_commands_test.cpp.)

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "app/backup_list_dialog.h"
#include "app/command_ids.h"
#include "app/differences_dialog.h"
#include "model/document_history.h"
#include "model/channel_edits.h"
#include "window_transfer.h"

namespace korvel::testing {
namespace {

// Answers the next modal dialog of type T: inspect looks at it and says how
// it ends (its done() code).
template <typename T>
void AnswerNextDialog(std::function<int(T&)> inspect, bool* seen) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, inspect, seen] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    *seen = true;
    dialog->done(inspect(*dialog));
    poll->deleteLater();
  });
  poll->start(5);
}

std::vector<QStringList> Rows(const QTreeWidget& list) {
  std::vector<QStringList> rows;
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    QStringList row;
    for (int c = 0; c < list.columnCount(); ++c) row << list.topLevelItem(i)->text(c);
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
  bool seen = false;
  std::vector<QStringList> rows;
  AnswerNextDialog<DifferencesDialog>(
      [&](DifferencesDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Verify After Write");
        rows = Rows(*dialog.List());
        return 0;
      },
      &seen);
  Start();
  ASSERT_TRUE(WaitForEnd());
  ASSERT_TRUE(seen);
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
  document.History().MarkSaved();
  ASSERT_TRUE(frame->Files().New());
  bool seen = false;
  AnswerNextDialog<BackupListDialog>(
      [](BackupListDialog& dialog) {
        EXPECT_EQ(dialog.List()->count(), 1);
        return static_cast<int>(BackupListDialog::Open);
      },
      &seen);
  frame->Action(kCmdOpenBackup)->trigger();
  EXPECT_TRUE(seen);
  EXPECT_EQ(ViewContent(), test::ThroughGrid(memory));
  EXPECT_TRUE(document.PathName().empty()) << "saving must never overwrite the backup";
}

TEST_F(Safeguards, CompareWithListsEveryChannelTextThatDiffers) {
  chooser.paths = {WriteFile("other.sin", SampleImage())};
  bool seen = false;
  std::vector<QStringList> rows;
  AnswerNextDialog<DifferencesDialog>(
      [&](DifferencesDialog& dialog) {
        rows = Rows(*dialog.List());
        return 0;
      },
      &seen);
  frame->Action(kCmdCompareWith)->trigger();
  ASSERT_TRUE(seen);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], (QStringList{"Channel 1", "Receive", "(empty)", "145.50000"}));
}

}  // namespace
}  // namespace korvel::testing
