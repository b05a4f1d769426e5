#pragma once
// The status bar's panes: the message pane, the serial port chosen, then
// the CAP, NUM and SCRL indicators. The message pane shows the prompt or
// hint of the moment, or the idle text; it is a label, so assistive
// technology reads it. After a job it says for a while what the job did
// (an outcome): a menu or toolbar prompt shows over it and gives it back,
// and the hints of the pointer moving over the form wait until it is gone.

#include <QLabel>
#include <QObject>
#include <QStatusBar>
#include <QTimer>

namespace korvel {

class StatusPanes : public QObject {
  Q_OBJECT
 public:
  explicit StatusPanes(QStatusBar& bar);

  // What the message pane shows now.
  QString MessageText() const { return message_->text(); }
  // A hint of the form under the pointer; empty text brings back the idle
  // text. While an outcome is shown the hint waits for its end.
  void SetMessage(const QString& text);
  // The prompt of a menu item or button under the pointer, or of the
  // context-help mode: shown at once; empty text brings back the outcome
  // still shown, or the idle text.
  void SetPrompt(const QString& text);
  // What a finished job did ("Read KR - 300 on /dev/ttyUSB0 in 10.4 s"),
  // shown for kOutcomeMs, then the hint or the idle text again.
  void ShowOutcome(const QString& text);
  // The outcome shown now; empty once its time is over.
  QString OutcomeText() const { return outcome_; }
  static constexpr int kOutcomeMs = 10000;
  // How long an outcome stays (tests shorten it).
  void SetOutcomeMs(int ms) { outcomeEnd_.setInterval(ms); }
  // The port pane: the port the transfers and the test mode use.
  QString PortText() const { return port_->text(); }
  void SetPort(const QString& text);
  QLabel& Indicator(int index) { return *indicators_[index]; }  // 0 CAP, 1 NUM, 2 SCRL
  // Reads the lock keys again and greys the indicators that are off.
  void RefreshIndicators();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* message_;
  QLabel* port_;
  QLabel* indicators_[3];
  void Show(const QString& text);
  void EndOutcome();

  QTimer refresh_;  // one look per burst of key events
  QTimer outcomeEnd_;
  QString outcome_;
  QString hint_;    // the last hint, shown when the outcome ends
};

}  // namespace korvel
