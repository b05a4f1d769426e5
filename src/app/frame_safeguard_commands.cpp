// The safeguards around the radio's memory in the frame: the Program menu's
// write checks (kept by the transfer controller), opening a backup and
// comparing the document with a file or a backup.
#include <QAction>
#include <QFileInfo>

#include "app/backup_list_dialog.h"
#include "app/differences_dialog.h"
#include "app/main_frame.h"
#include "app/transfer_controller.h"
#include "editor/document_history.h"
#include "model/backup_store.h"
#include "model/channel_file.h"

namespace korvel {

void CMainFrame::CreateSafeguardActions() {
  connect(MakeAction(kCmdOpenBackup, QStringLiteral("Open &Backup...")), &QAction::triggered, this,
          &CMainFrame::OnOpenBackup);
  connect(MakeAction(kCmdCompareWith, QStringLiteral("&Compare With...")), &QAction::triggered, this,
          &CMainFrame::OnCompareWith);
  QAction* verify = MakeAction(kCmdVerifyAfterWrite, QStringLiteral("&Verify After Write"));
  QAction* backupBeforeWrite = MakeAction(kCmdBackupBeforeWrite, QStringLiteral("&Back Up Before Write"));
  transfers_->TakeWriteChecks(*verify, *backupBeforeWrite);
}

void CMainFrame::OnOpenBackup() {
  BackupStore store(transfers_->BackupFolder());
  BackupListDialog dialog(QString::fromStdString(store.Folder()), store.List(), this);
  const int choice = dialog.exec();
  const QString path = dialog.ChosenPath();
  if (path.isEmpty()) return;
  if (choice == BackupListDialog::Compare) {
    CompareWithFile(path);
    return;
  }
  if (choice != BackupListDialog::Open || !SaveModified()) return;
  const Status opened = document_.OnOpenDocument(NativePath(path));
  if (!opened) {
    prompter_.Tell(opened.message);
    return;
  }
  document_.SetPathName({});
  ShowView();
}

void CMainFrame::OnCompareWith() {
  const QString path = chooser_.OpenPath(this);
  if (!path.isEmpty()) CompareWithFile(path);
}

void CMainFrame::CompareWithFile(const QString& path) {
  view_->CommitEdit();
  MemoryImage other{};
  const Status loaded = LoadChannelFile(NativePath(path), other);
  if (!loaded) {
    prompter_.Tell(loaded.message);
    return;
  }
  // The document as a save would write it now.
  MemoryImage current = document_.Image();
  document_.Channels().Collect(current);
  const QString name = QFileInfo(path).fileName();
  DifferencesDialog dialog(QStringLiteral("Compare With"),
                           QStringLiteral("This document compared with %1:").arg(name),
                           QStringLiteral("This document"), name, CompareImages(current, other), this);
  dialog.exec();
}

}  // namespace korvel
