// The safeguards around the radio's memory: backups of what was read,
// verify after write, backup before write, and comparing the document with
// a file or a backup.
#include <QAction>
#include <QFileInfo>

#include "app/backup_list_dialog.h"
#include "app/differences_dialog.h"
#include "app/main_frame.h"
#include "app/progress_dialog.h"
#include "editor/document_history.h"
#include "model/backup_store.h"
#include "model/channel_file.h"

namespace korvel {
namespace {

const QString kVerifyKey = QStringLiteral("Program/Verify After Write");
const QString kBackupBeforeWriteKey = QStringLiteral("Program/Back Up Before Write");

}  // namespace

void CMainFrame::CreateSafeguardActions() {
  connect(MakeAction(kCmdOpenBackup, QStringLiteral("Open &Backup...")), &QAction::triggered, this,
          &CMainFrame::OnOpenBackup);
  connect(MakeAction(kCmdCompareWith, QStringLiteral("&Compare With...")), &QAction::triggered, this,
          &CMainFrame::OnCompareWith);
  const struct {
    int id;
    const char* text;
    const QString& key;
    bool byDefault;
  } checks[] = {
      {kCmdVerifyAfterWrite, "&Verify After Write", kVerifyKey, true},
      {kCmdBackupBeforeWrite, "&Back Up Before Write", kBackupBeforeWriteKey, false},
  };
  for (const auto& check : checks) {
    QAction* action = MakeAction(check.id, QString::fromLatin1(check.text));
    action->setCheckable(true);
    action->setChecked(settings_.value(check.key, check.byDefault).toBool());
    const QString key = check.key;
    connect(action, &QAction::toggled, this, [this, key](bool on) {
      settings_.setValue(key, on);
      settings_.sync();
    });
  }
}

WriteJobOptions CMainFrame::WriteOptions() {
  WriteJobOptions options;
  options.verify = actions_.value(kCmdVerifyAfterWrite)->isChecked();
  options.backupBeforeWrite = actions_.value(kCmdBackupBeforeWrite)->isChecked();
  // Runs on the transfer's thread: it uses nothing of the window.
  options.keepBackup = [folder = backupFolder_](const TransferOutcome& backup) {
    return BackupStore(folder).Keep(*backup.image, backup.ident, std::chrono::system_clock::now());
  };
  return options;
}

void CMainFrame::KeepReadBackup(const TransferOutcome& outcome) {
  const Status kept = BackupStore(backupFolder_).Keep(*outcome.image, outcome.ident, std::chrono::system_clock::now());
  if (!kept) {
    prompter_.Tell("The radio's memory was read, but no backup of it could be kept: " + kept.message);
  }
}

void CMainFrame::ShowWriteJobEnd(const WriteJobOutcome& job) {
  if (job.backupRead && job.backupRead->result == TransferResult::Completed && !job.backupKept) {
    prompter_.Tell("Nothing was written: the radio's memory could not be kept as a backup first. " +
                   job.backupKept.message);
    return;
  }
  if (!job.differences || job.differences->Empty()) return;
  DifferencesDialog dialog(QStringLiteral("Verify After Write"),
                           QStringLiteral("The radio was read back after the write and does not hold what was "
                                          "sent. Write again, or check the radio."),
                           QStringLiteral("Sent"), QStringLiteral("Radio"), *job.differences, this);
  dialog.exec();
}

void CMainFrame::ShowTransferPhase(int phase) {
  const auto which = static_cast<TransferPhase>(phase);
  const QString text = which == TransferPhase::Write ? progress_->CaptionText()
                                                     : QString::fromUtf8(TransferPhaseText(which));
  progress_->setWindowTitle(text);
  if (which != TransferPhase::Write) progress_->SetStatusText(text);
}

void CMainFrame::OnOpenBackup() {
  BackupStore store(backupFolder_);
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
