#pragma once
// The test mode dialog: choose a debug frequency and set its test
// frequencies, tones and steps; choose a debug item, set its alignment
// value with the slider and Start one test exchange with the radio. It
// holds nothing beyond its own life and runs the exchange on a worker
// thread, so it stays live while the radio is asked.

#include <QDialog>
#include <QHash>
#include <QString>
#include <array>

#include "testmode/exchange_worker.h"
#include "testmode/exchange.h"
#include "testmode/rules.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QTreeWidget;
class QTreeWidgetItem;

namespace korvel {

class CTestModeDlg : public QDialog {
  Q_OBJECT
 public:
  // bandText: the type settings bar's band; portName: the Port menu's choice.
  CTestModeDlg(const QString& bandText, const QString& portName, PortFactory makePort, Clock& clock,
               Prompter& prompter, QWidget* parent = nullptr);
  ~CTestModeDlg() override;

  // The control of the dialog template with this id.
  QWidget* Control(int id) const { return controls_.value(id); }
  QTreeWidget* Tree() const { return tree_; }
  // The line under the slider that says what Start sends, or that it runs.
  QLabel* SendsLine() const { return sends_; }
  // What Start sends now.
  TestExchangeInput GatherInput() const;
  bool ExchangeRunning() const { return worker_.IsRunning(); }

 signals:
  void exchangeFinished();
  // What a completed exchange sent, for the message pane: "Sent TX Power 47
  // at 260.00000 MHz on COM2" (receive and transmit named when they differ).
  void outcome(const QString& text);

 protected:
  // Enter never closes the dialog: it checks a frequency, presses Default
  // or Start, or moves the focus on.
  void keyPressEvent(QKeyEvent* event) override;
  // Closing while an exchange runs stops it first and closes when it ends.
  void done(int result) override;

 private:
  struct Side {
    StepSize step = StepSize::k5000Hz;
    bool dqt = false;
    int toneSelection = 0;
  };
  struct FrequencyState {
    double rxMhz = 0;
    double txMhz = 0;
    Side rx, tx;
  };
  // The widgets of one side of the frequency panel.
  struct SideControls {
    QLineEdit* edit;
    QRadioButton* qt;
    QRadioButton* dqt;
    QComboBox* tones;
    QRadioButton* step5;
    QRadioButton* step625;
  };

  void CreateControls();
  void OnTreeSelection();
  void ShowPanels(bool frequency, bool parameter);
  void SelectDebugFrequency(const DebugFrequency& frequency);
  void SelectDebugItem(const DebugItem& item);
  void ShowSide(const SideControls& controls, const Side& side);
  void OnToneMethod(bool receive, bool dqt);
  void OnStep(bool receive, StepSize step);
  void OnDefault();
  void CheckFrequency(QLineEdit* edit);
  void ShowValue(int value);
  void OnStart();
  void OnExchangeFinished();
  void UpdateSendsLine();
  FrequencyState& Current() { return frequencies_[static_cast<std::size_t>(currentFrequency_ - 2)]; }
  Side& CurrentSide(bool receive) { return receive ? Current().rx : Current().tx; }
  const DebugFrequency& CurrentFrequencyRow() const;
  const DebugItem& CurrentItemRow() const;
  static void FillTones(QComboBox* combo, bool dqt);
  static QString ToneOf(const QComboBox* combo);
  static QString SentText(const TestExchangeInput& sent);

  double bandBase_;
  QString portName_;
  Prompter& prompter_;
  bool defaultNotShown_ = true;
  std::array<FrequencyState, 3> frequencies_;  // High, Middle, Low
  std::array<int, 4> values_{};                // by debug item code - 2
  int currentFrequency_ = 2;
  int currentItem_ = 2;
  bool closeWhenIdle_ = false;
  int closeResult_ = 0;

  QHash<int, QWidget*> controls_;
  QList<QWidget*> frequencyPanel_;
  QList<QWidget*> parameterPanel_;
  QTreeWidget* tree_ = nullptr;
  QSlider* slider_ = nullptr;
  QLabel* sends_ = nullptr;
  SideControls rx_{}, tx_{};
  TestExchangeWorker worker_;
  TestExchangeInput running_;  // what the exchange running or last run sends
};

}  // namespace korvel
