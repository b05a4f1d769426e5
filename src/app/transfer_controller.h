#pragma once
// Read From Radio and Write To Radio: the transfer worker, the state its
// progress dialog shows (caption, direction, running), the write job's
// safeguards as the Program menu's checks set them, and what a transfer's
// end leaves in the document, the backups and the window: a success said
// in the message pane, a partly written radio warned of with the offer to
// write again. The dialog
// (CProgressDlg) is its view: it shows what the signals say and its Start
// and Cancel come here.

#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "link/clone_transfer.h"
#include "link/radio_jobs.h"
#include "link/serial_port.h"

class QAction;
class QSettings;
class QWidget;

namespace korvel {

class CKovDoc;
class CKovView;
class CProgressDlg;
class Clock;
class Prompter;
class TransferWorker;

class TransferController : public QObject {
  Q_OBJECT
 public:
  // window is the main window: the dialogs' parent, closed after a transfer
  // when the user closed it during one. The progress dialog is centred over
  // the view's grid.
  TransferController(CKovDoc& document, CKovView& view, Prompter& prompter, QSettings& settings,
                     QWidget& window);
  // Stops a transfer still running and waits for it.
  ~TransferController() override;

  // Read From Radio / Write To Radio: an open edit is committed and the
  // dialog opens. A dialog already open keeps its caption; its next Start
  // takes the direction chosen last. Nothing while a transfer runs.
  void Prepare(TransferDirection direction);
  // The dialog's Start: the transfer runs on the worker's thread.
  void Start();
  // The dialog's Cancel, Escape or close box: before Start the dialog
  // closes; during a transfer it stops at its next cancel check.
  void Cancel();
  // The dialog lost activation or was moved during a read: the read stops
  // and the user is told once. Losing activation to the transfer's own
  // messages does not count. A write job goes on: a stray click must not
  // leave the radio half written; only Cancel stops it.
  void DialogDeactivated();
  void DialogMoved();
  // The main window asks to close during a transfer: the transfer stops and
  // the window closes once it has ended, after a write stopped part way has
  // been warned about; Write Again there keeps the window for the write.
  void CloseWindowAfterTransfer();

  // From Start until the transfer has ended and the dialog has closed.
  bool Running() const { return running_; }
  CProgressDlg& Dialog() { return *dialog_; }

  // The Program menu's Verify After Write and Back Up Before Write: made
  // checkable, checked as last kept, kept in the settings when toggled.
  void TakeWriteChecks(QAction& verify, QAction& backupBeforeWrite);
  // Where backups of the radio's memory are kept: the user's data folder
  // unless set (tests keep theirs apart).
  const std::string& BackupFolder() const { return backupFolder_; }
  void SetBackupFolder(std::string folder) { backupFolder_ = std::move(folder); }
  // How transfers make their port, and their clock (the serial port and
  // real time unless a test gives others); only while no transfer runs.
  void SetLink(PortFactory makePort, Clock& clock);

 signals:
  // The dialog opens: bar empty, "   Not start yet", Start enabled.
  void opened(const QString& caption);
  void closed();
  void captionChanged(const QString& caption);
  void statusText(const QString& text);
  void progress(int position);
  // The frame holds the commands that change or replace the document while
  // a transfer runs.
  void runningChanged(bool running);
  // What a completed read or write job did, for the message pane:
  // "Read KR - 300 on /dev/ttyUSB0 in 10.4 s".
  void outcome(const QString& text);

 private:
  void SetRunning(bool running);
  void BeginTransfer();
  void OnFinished();
  void ShowPhase(int phase);
  void Interrupt();
  WriteJobOptions WriteOptions() const;
  // After a complete read: the image read kept as a backup.
  void KeepReadBackup(const TransferOutcome& outcome);
  // After a write job: its success in the message pane, or what went wrong
  // beyond the transfer's own messages; true when the user asks to write
  // again.
  bool ShowWriteJobEnd(const WriteJobOutcome& job);

  CKovDoc& document_;
  CKovView& view_;
  Prompter& prompter_;
  QSettings& settings_;
  QWidget& window_;
  std::unique_ptr<TransferWorker> worker_;
  CProgressDlg* dialog_ = nullptr;  // a child of the window, ended with the controller
  QAction* verify_ = nullptr;
  QAction* backupBeforeWrite_ = nullptr;
  std::string backupFolder_;
  QString caption_;
  std::string device_;  // the device the running transfer's port name opens
  TransferDirection direction_ = TransferDirection::Read;
  bool open_ = false;
  bool running_ = false;
  bool cancelRequested_ = false;
  bool closeAfterTransfer_ = false;
};

}  // namespace korvel
