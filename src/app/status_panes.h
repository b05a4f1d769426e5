#pragma once
// The status bar's panes: the message pane with its idle text, then the
// CAP, NUM and SCRL indicators. Prompts and hints are shown as the status
// bar's message over the idle text.

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
  QString MessageText() const;
  QLabel& Indicator(int index) { return *indicators_[index]; }  // 0 CAP, 1 NUM, 2 SCRL
  // Reads the lock keys again and greys the indicators that are off.
  void RefreshIndicators();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QStatusBar& bar_;
  QLabel* idle_;
  QLabel* indicators_[3];
  QTimer refresh_;  // one look per burst of key events
};

}  // namespace korvel
