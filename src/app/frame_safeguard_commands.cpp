// The safeguards around the radio's memory in the frame: the Program menu's
// write checks (kept by the transfer controller), opening a backup and
// comparing the document with a file or a backup (FileCommands').
#include <QAction>

#include "app/file_commands.h"
#include "app/main_frame.h"
#include "app/transfer_controller.h"

namespace korvel {

void CMainFrame::CreateSafeguardActions() {
  connect(MakeAction(kCmdOpenBackup, QStringLiteral("Open &Backup...")), &QAction::triggered, files_,
          [this] { files_->OpenBackup(transfers_->BackupFolder()); });
  connect(MakeAction(kCmdCompareWith, QStringLiteral("&Compare With...")), &QAction::triggered, files_,
          &FileCommands::CompareWith);
  QAction* verify = MakeAction(kCmdVerifyAfterWrite, QStringLiteral("&Verify After Write"));
  QAction* backupBeforeWrite = MakeAction(kCmdBackupBeforeWrite, QStringLiteral("&Back Up Before Write"));
  transfers_->TakeWriteChecks(*verify, *backupBeforeWrite);
}

}  // namespace korvel
