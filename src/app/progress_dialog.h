#pragma once
// The progress dialog of a clone transfer: Start, Cancel, the bar and the
// status text. Modeless; its window exists from Read From Radio or Write To
// Radio until the transfer ends or Cancel is pressed before Start. A
// disabled Start means a transfer runs: Cancel, Escape or the close box then
// ask it to stop, and so does the dialog losing activation (while the
// transfer's interruption watch is on) or being moved, which the user is
// told once.

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace korvel {

class Prompter;

class CProgressDlg : public QDialog {
  Q_OBJECT
 public:
  // watch tells whether the transfer's interruption watch is on now.
  CProgressDlg(Prompter& prompter, std::function<bool()> watch, QWidget* parent = nullptr);

  // The caption the window takes when it is next created.
  void SetCaptionText(const QString& text) { captionText_ = text; }
  const QString& CaptionText() const { return captionText_; }
  // Whether the window exists (shown) and whether its transfer runs.
  bool HasWindow() const { return hasWindow_; }
  bool Running() const;
  bool CancelRequested() const { return cancelRequested_; }

  // Creates the window centred over `over`: bar empty, "   Not start yet",
  // Start enabled, the cancel request cleared.
  void CreateWindow(const QWidget* over);
  // Ends the window, whatever the state.
  void DestroyWindow();
  void SetStatusText(const QString& text);
  void SetProgress(int position);
  int Progress() const;
  QString StatusText() const;
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }

 signals:
  // Start was pressed: run the transfer.
  void startTransfer();
  // The transfer should stop at its next cancel check.
  void cancelRequested();

 public slots:
  void accept() override;  // Start
  void reject() override;  // Cancel, Escape, the close box

 protected:
  bool event(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void RequestCancel();
  // An interruption during the transfer: the request, then the message.
  void Interrupt();

  Prompter& prompter_;
  std::function<bool()> watch_;
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QLabel* status_ = nullptr;
  QString captionText_;
  bool hasWindow_ = false;
  bool cancelRequested_ = false;
  bool placing_ = false;  // our own move while creating the window
};

}  // namespace korvel
