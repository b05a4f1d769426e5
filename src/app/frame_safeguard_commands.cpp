// The safeguards around the radio's memory: backups of what was read,
// verify after write, backup before write (Open Backup and Compare With are
// FileCommands').
#include <QAction>

#include "app/differences_dialog.h"
#include "app/main_frame.h"
#include "app/progress_dialog.h"
#include "model/backup_store.h"

namespace korvel {
namespace {

const QString kVerifyKey = QStringLiteral("Program/Verify After Write");
const QString kBackupBeforeWriteKey = QStringLiteral("Program/Back Up Before Write");

}  // namespace

void CMainFrame::CreateSafeguardActions() {
  connect(MakeAction(kCmdOpenBackup, QStringLiteral("Open &Backup...")), &QAction::triggered, files_,
          [this] { files_->OpenBackup(backupFolder_); });
  connect(MakeAction(kCmdCompareWith, QStringLiteral("&Compare With...")), &QAction::triggered, files_,
          &FileCommands::CompareWith);
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

}  // namespace korvel
