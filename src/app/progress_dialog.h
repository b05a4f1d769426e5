#pragma once
// The progress dialog of a clone transfer: Start, Cancel, the bar and the
// status text, a view of the transfer controller. Modeless; it shows from
// Read From Radio or Write To Radio until the transfer ends or Cancel is
// pressed before Start. A disabled Start means a transfer runs: Cancel,
// Escape or the close box then ask it to stop; the dialog losing activation
// or being moved goes to the controller, which stops a read for it.

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

namespace korvel {

class TransferController;

class CProgressDlg : public QDialog {
  Q_OBJECT
 public:
  // The dialog opens centred over `over`.
  CProgressDlg(TransferController& controller, const QWidget* over, QWidget* parent = nullptr);

  int Progress() const;
  QString StatusText() const;
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }

 public slots:
  void accept() override;  // Start
  void reject() override;  // Cancel, Escape, the close box

 protected:
  bool event(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Bar empty, "   Not start yet", Start enabled, centred, shown and active.
  void Open(const QString& caption);

  TransferController& controller_;
  const QWidget* over_;
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QLabel* status_ = nullptr;
  bool placing_ = false;  // our own move while opening
};

}  // namespace korvel
