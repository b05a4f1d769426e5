#pragma once
// The status bar's panes: the message pane, the serial port chosen, then
// the CAP, NUM and SCRL indicators. The message pane shows the prompt or hint of the moment, or
// the idle text; it is a label, so assistive technology reads it.

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
  // Shows text in the message pane; empty text brings back the idle text.
  void SetMessage(const QString& text);
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
  QTimer refresh_;  // one look per burst of key events
};

}  // namespace korvel
