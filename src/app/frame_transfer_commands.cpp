// Read From Radio and Write To Radio: the progress dialog, the transfer on
// its worker thread, and what each end leaves in the document.
#include "app/main_frame.h"
#include "app/progress_dialog.h"
#include "app/transfer_worker.h"
#include "link/posix_serial_port.h"
#include "link/transfer_texts.h"
#include "model/document_history.h"

namespace korvel {

void CMainFrame::SetLink(PortFactory makePort, Clock& clock) {
  if (TransferRunning()) return;
  worker_ = std::make_unique<TransferWorker>(std::move(makePort), clock, prompter_);
  connect(worker_.get(), &TransferWorker::statusText, progress_, &CProgressDlg::SetStatusText);
  connect(worker_.get(), &TransferWorker::progress, progress_, &CProgressDlg::SetProgress);
  connect(worker_.get(), &TransferWorker::phase, this, &CMainFrame::ShowTransferPhase);
  connect(worker_.get(), &TransferWorker::finished, this, &CMainFrame::OnTransferFinished);
}

bool CMainFrame::TransferRunning() const { return worker_ && worker_->IsRunning(); }

void CMainFrame::OnReadFromRadio() { PrepareTransfer(TransferDirection::Read, texts::kReadingCaption); }

void CMainFrame::OnWriteToRadio() { PrepareTransfer(TransferDirection::Write, texts::kWritingCaption); }

void CMainFrame::PrepareTransfer(TransferDirection direction, const char* caption) {
  view_->CommitEdit();
  direction_ = direction;
  progress_->SetCaptionText(QString::fromUtf8(caption));
  // An open dialog keeps its caption; its next Start takes the new direction.
  if (!progress_->HasWindow()) progress_->CreateWindow(view_->Grid());
}

void CMainFrame::OnStartTransfer() {
  if (TransferRunning()) return;
  EnableDocumentCommands(false);
  const std::string port = view_->PortName().toStdString();
  if (direction_ == TransferDirection::Write) {
    // What the radio gets is what the grid shows.
    document_.CollectIntoImage();
    worker_->StartWrite(port, document_.Image(), WriteOptions());
  } else {
    worker_->StartRead(port);
  }
}

void CMainFrame::OnTransferFinished() {
  progress_->DestroyWindow();
  EnableDocumentCommands(true);
  const TransferOutcome& outcome = worker_->Outcome();
  if (direction_ == TransferDirection::Read && outcome.image) {
    // Only a complete read enters the document; it is a change to keep,
    // and the radio's memory as read is kept as a backup too.
    {
      DocumentStep step(document_.History(), "Read From Radio");
      document_.Image() = *outcome.image;
      view_->ShowFilledImage();
    }
    KeepReadBackup(outcome);
  } else if (direction_ == TransferDirection::Write && !closeAfterTransfer_) {
    ShowWriteJobEnd(worker_->JobOutcome());
  }
  if (closeAfterTransfer_) {
    closeAfterTransfer_ = false;
    close();
  }
}

void CMainFrame::EnableDocumentCommands(bool enabled) {
  if (enabled) {
    for (auto it = disabledForTransfer_.cbegin(); it != disabledForTransfer_.cend(); ++it) it.key()->setEnabled(true);
    disabledForTransfer_.clear();
    editMenu_->HoldEdits(false);
    return;
  }
  QList<QAction*> commands;
  for (int id : {kCmdFileNew, kCmdFileOpen, kCmdFileSave, kCmdFileSaveAs, kCmdEditData, kCmdTestMode,
                 kCmdOptionalFeatures, kCmdReadFromRadio, kCmdWriteToRadio, kCmdOpenBackup}) {
    commands << actions_.value(id);
  }
  for (QAction* recent : recentActions_) commands << recent;
  editMenu_->HoldEdits(true);
  // Only what was enabled comes back afterwards.
  for (QAction* action : commands) {
    if (action == nullptr || !action->isEnabled()) continue;
    disabledForTransfer_.insert(action, true);
    action->setEnabled(false);
  }
}

}  // namespace korvel
