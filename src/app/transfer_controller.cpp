#include "app/transfer_controller.h"

#include <QAction>
#include <QSettings>
#include <QWidget>
#include <chrono>

#include "app/differences_dialog.h"
#include "app/progress_dialog.h"
#include "app/transfer_worker.h"
#include "editor/kov_view.h"
#include "link/port_names.h"
#include "link/system_serial_port.h"
#include "link/transfer_reports.h"
#include "link/transfer_texts.h"
#include "model/backup_store.h"
#include "model/document_history.h"
#include "model/kov_document.h"

namespace korvel {

TransferController::TransferController(CKovDoc& document, CKovView& view, Prompter& prompter, QSettings& settings,
                                       QWidget& window)
    : document_(document),
      view_(view),
      prompter_(prompter),
      settings_(settings),
      window_(window),
      backupFolder_(BackupStore::DefaultFolder()) {
  dialog_ = new CProgressDlg(*this, view_.Grid(), &window_);
  SetLink(MakeSystemSerialPort, SystemClock::Instance());
}

TransferController::~TransferController() {
  // The worker ends its transfer before the document and view it reports to.
  worker_.reset();
  delete dialog_;
}

void TransferController::SetLink(PortFactory makePort, Clock& clock) {
  if (running_) return;
  worker_ = std::make_unique<TransferWorker>(std::move(makePort), clock, prompter_);
  connect(worker_.get(), &TransferWorker::statusText, this, &TransferController::statusText);
  connect(worker_.get(), &TransferWorker::progress, this, &TransferController::progress);
  connect(worker_.get(), &TransferWorker::phase, this, &TransferController::ShowPhase);
  connect(worker_.get(), &TransferWorker::finished, this, &TransferController::OnFinished);
}

void TransferController::Prepare(TransferDirection direction) {
  if (running_) return;
  view_.CommitEdit();
  direction_ = direction;
  caption_ = QString::fromUtf8(direction == TransferDirection::Read ? texts::kReadingCaption
                                                                     : texts::kWritingCaption);
  if (open_) return;
  open_ = true;
  cancelRequested_ = false;
  emit opened(caption_);
}

void TransferController::Start() {
  if (!open_ || running_) return;
  SetRunning(true);
  // The transfer starts once the click has been handled, as a posted
  // message would start it.
  QMetaObject::invokeMethod(this, &TransferController::BeginTransfer, Qt::QueuedConnection);
}

void TransferController::BeginTransfer() {
  if (!running_ || worker_->IsRunning()) return;
  const std::string port = view_.PortName().toStdString();
  device_ = ResolvePortDevice(port);
  if (direction_ == TransferDirection::Write) {
    // What the radio gets is what the grid shows.
    document_.CollectIntoImage();
    worker_->StartWrite(port, document_.Image(), WriteOptions());
  } else {
    worker_->StartRead(port);
  }
  // A stop asked for before the thread started takes effect at once.
  if (cancelRequested_ || closeAfterTransfer_) worker_->Cancel();
}

void TransferController::Cancel() {
  cancelRequested_ = true;
  if (running_) {
    worker_->Cancel();
    return;
  }
  if (!open_) return;
  open_ = false;
  emit closed();
}

void TransferController::CloseWindowAfterTransfer() {
  if (!running_) return;
  closeAfterTransfer_ = true;
  worker_->Cancel();
}

void TransferController::DialogDeactivated() {
  // Off while the transfer itself shows a message.
  if (direction_ == TransferDirection::Read && worker_->InterruptionWatch()) Interrupt();
}

void TransferController::DialogMoved() {
  if (direction_ == TransferDirection::Read) Interrupt();
}

void TransferController::Interrupt() {
  // Told once: a drag moves the window many times, and the message itself
  // takes the activation.
  if (!open_ || !running_ || cancelRequested_) return;
  Cancel();
  Prompt prompt{texts::kInterrupted};
  prompt.id = PromptId::Message;
  prompter_.Ask(prompt);
}

void TransferController::SetRunning(bool running) {
  running_ = running;
  emit runningChanged(running);
}

void TransferController::ShowPhase(int phase) {
  const auto which = static_cast<TransferPhase>(phase);
  const QString text = which == TransferPhase::Write ? caption_ : QString::fromUtf8(TransferPhaseText(which));
  emit captionChanged(text);
  if (which != TransferPhase::Write) emit statusText(text);
}

void TransferController::OnFinished() {
  open_ = false;
  emit closed();
  SetRunning(false);
  const TransferOutcome& outcome = worker_->Outcome();
  if (direction_ == TransferDirection::Read && outcome.image) {
    // Only a complete read enters the document; it is a change to keep,
    // and the radio's memory as read is kept as a backup too.
    {
      DocumentStep step(document_.History(), "Read From Radio");
      document_.Image() = *outcome.image;
      view_.ShowFilledImage();
    }
    emit this->outcome(QString::fromStdString(ReadDoneText(outcome, device_)));
    KeepReadBackup(outcome);
  } else if (direction_ == TransferDirection::Write && ShowWriteJobEnd(worker_->JobOutcome())) {
    // As Write To Radio and Start, with the options checked now. A close
    // that stopped the write waits: the user chose to finish it first.
    closeAfterTransfer_ = false;
    Prepare(TransferDirection::Write);
    Start();
  }
  if (closeAfterTransfer_) {
    closeAfterTransfer_ = false;
    window_.close();
  }
}

void TransferController::TakeWriteChecks(QAction& verify, QAction& backupBeforeWrite) {
  verify_ = &verify;
  backupBeforeWrite_ = &backupBeforeWrite;
  const struct {
    QAction* action;
    QString key;
    bool byDefault;
  } checks[] = {
      {verify_, QStringLiteral("Program/Verify After Write"), true},
      {backupBeforeWrite_, QStringLiteral("Program/Back Up Before Write"), false},
  };
  for (const auto& check : checks) {
    check.action->setCheckable(true);
    check.action->setChecked(settings_.value(check.key, check.byDefault).toBool());
    connect(check.action, &QAction::toggled, this, [this, key = check.key](bool on) {
      settings_.setValue(key, on);
      settings_.sync();
    });
  }
}

WriteJobOptions TransferController::WriteOptions() const {
  WriteJobOptions options;
  options.verify = verify_ && verify_->isChecked();
  options.backupBeforeWrite = backupBeforeWrite_ && backupBeforeWrite_->isChecked();
  // Runs on the transfer's thread: it uses nothing of the window.
  options.keepBackup = [folder = backupFolder_](const TransferOutcome& backup) {
    return BackupStore(folder).Keep(*backup.image, backup.ident, std::chrono::system_clock::now());
  };
  return options;
}

void TransferController::KeepReadBackup(const TransferOutcome& outcome) {
  const Status kept = BackupStore(backupFolder_).Keep(*outcome.image, outcome.ident, std::chrono::system_clock::now());
  if (!kept) {
    prompter_.Tell("The radio's memory was read, but no backup of it could be kept: " + kept.message);
  }
}

bool TransferController::ShowWriteJobEnd(const WriteJobOutcome& job) {
  if (job.backupRead && job.backupRead->result == TransferResult::Completed && !job.backupKept) {
    prompter_.Tell("Nothing was written: the radio's memory could not be kept as a backup first. " +
                   job.backupKept.message);
    return false;
  }
  if (job.Succeeded()) {
    emit outcome(QString::fromStdString(WriteDoneText(job, device_)));
    return false;
  }
  if (LeftRadioPartlyWritten(job.write)) {
    Prompt warning{PartialWriteWarning(job.write), Buttons::WriteAgainClose};
    warning.icon = Icon::Warning;
    warning.id = PromptId::PartialWrite;
    return prompter_.Ask(warning) == Answer::WriteAgain;
  }
  // The write itself completed: the radio holds what was sent, or the
  // verify found otherwise.
  if (job.verifyRead && job.verifyRead->result != TransferResult::Completed) {
    prompter_.Tell(VerifyFailedText(*job.verifyRead));
    return false;
  }
  if (!job.differences || job.differences->Empty()) return false;
  DifferencesDialog dialog(QStringLiteral("Verify After Write"),
                           QStringLiteral("The radio was read back after the write and does not hold what was "
                                          "sent. Write again, or check the radio."),
                           QStringLiteral("Sent"), QStringLiteral("Radio"), *job.differences, &window_);
  dialog.OfferWriteAgain();
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace korvel
