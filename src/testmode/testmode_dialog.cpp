#include "testmode/testmode_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTreeWidget>
#include <functional>

#include "widgets/dialog_units.h"
#include "model/number_text.h"
#include "model/tone_table.h"
#include "testmode/encoding.h"
#include "testmode/texts.h"

namespace korvel {
namespace {

enum class Kind { Button, Tree, Group, Label, Edit, Radio, Slider, Combo };
enum class Panel { None, Frequency, Parameter };

struct ControlRow {
  int id;
  Kind kind;
  const char* caption;
  int x, y, cx, cy;
  Panel panel;
};

// Dialog template 136 in its order, which is also the focus order.
constexpr ControlRow kTemplate[] = {
    {1028, Kind::Button, "Default", 270, 178, 64, 17, Panel::None},
    {1026, Kind::Tree, "", 18, 23, 98, 179, Panel::None},
    {1029, Kind::Group, "Static", 120, 13, 250, 190, Panel::None},
    {1054, Kind::Label, "Frequency (MHz)", 133, 62, 36, 17, Panel::Frequency},
    {1055, Kind::Label, "Frequency (MHz)", 244, 61, 37, 19, Panel::Frequency},
    {1056, Kind::Label, "Tone", 134, 81, 19, 9, Panel::Frequency},
    {1057, Kind::Label, "Tone", 243, 81, 19, 10, Panel::Frequency},
    {1058, Kind::Label, "Tone Method", 135, 98, 23, 20, Panel::Frequency},
    {1030, Kind::Edit, "", 179, 62, 53, 12, Panel::Frequency},
    {1031, Kind::Edit, "", 283, 60, 53, 12, Panel::Frequency},
    {1034, Kind::Radio, "QT", 184, 94, 32, 13, Panel::Frequency},
    {1035, Kind::Radio, "DQT", 184, 109, 34, 10, Panel::Frequency},
    {1059, Kind::Label, "Tone Method", 244, 99, 23, 20, Panel::Frequency},
    {1036, Kind::Radio, "QT", 297, 95, 32, 13, Panel::Frequency},
    {1037, Kind::Radio, "DQT", 297, 109, 34, 11, Panel::Frequency},
    {1038, Kind::Button, "Start", 157, 180, 45, 16, Panel::Parameter},
    {1044, Kind::Group, "Parameter Value", 128, 83, 214, 70, Panel::Parameter},
    {1049, Kind::Label, "Min", 137, 105, 28, 13, Panel::Parameter},
    {1051, Kind::Label, "Max", 301, 105, 24, 13, Panel::Parameter},
    {1039, Kind::Slider, "", 158, 103, 133, 14, Panel::Parameter},
    {1052, Kind::Label, "Current Value", 139, 126, 94, 13, Panel::Parameter},
    {1043, Kind::Group, "Choose Debug Frequency", 128, 35, 221, 39, Panel::Parameter},
    {1040, Kind::Radio, "High(MHz)", 136, 51, 57, 12, Panel::Parameter},
    {1041, Kind::Radio, "Middle(MHz)", 200, 51, 54, 12, Panel::Parameter},
    {1042, Kind::Radio, "Low(MHz)", 270, 51, 52, 12, Panel::Parameter},
    {1012, Kind::Combo, "", 179, 78, 44, 70, Panel::Frequency},
    {1013, Kind::Combo, "", 285, 77, 44, 70, Panel::Frequency},
    {1060, Kind::Group, "Receive", 121, 50, 108, 121, Panel::Frequency},
    {1061, Kind::Group, "Transmit", 235, 50, 114, 122, Panel::Frequency},
    {1062, Kind::Label, "Step Value", 133, 123, 30, 26, Panel::Frequency},
    {1063, Kind::Radio, "5.00KHZ", 166, 123, 44, 11, Panel::Frequency},
    {1064, Kind::Radio, "6.25KHZ", 166, 134, 48, 15, Panel::Frequency},
    {1065, Kind::Label, "Step Value", 241, 123, 30, 26, Panel::Frequency},
    {1066, Kind::Radio, "5.00KHZ", 278, 121, 48, 15, Panel::Frequency},
    {1067, Kind::Radio, "6.25KHZ", 278, 136, 48, 15, Panel::Frequency},
    {1068, Kind::Button, "Button1", 218, 184, 25, 11, Panel::None},
};

// A tone combo that says when its list closes: only then is the choice kept.
class ToneCombo : public QComboBox {
 public:
  using QComboBox::QComboBox;
  std::function<void()> onListClosed;
  void hidePopup() override {
    QComboBox::hidePopup();
    if (onListClosed) onListClosed();
  }
};

QWidget* MakeControl(const ControlRow& row, QWidget* parent) {
  const QString caption = QString::fromLatin1(row.caption);
  switch (row.kind) {
    case Kind::Button: {
      auto* button = new QPushButton(caption, parent);
      button->setAutoDefault(false);  // Enter is the dialog's own
      return button;
    }
    case Kind::Tree: return new QTreeWidget(parent);
    case Kind::Group: return new QGroupBox(caption, parent);
    case Kind::Label: {
      auto* label = new QLabel(caption, parent);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case Kind::Edit: return new QLineEdit(parent);
    case Kind::Radio: {
      auto* radio = new QRadioButton(caption, parent);
      // The dialog keeps each pair exclusive itself; Tab passes them by.
      radio->setAutoExclusive(false);
      radio->setFocusPolicy(Qt::ClickFocus);
      return radio;
    }
    case Kind::Slider: return new QSlider(Qt::Horizontal, parent);
    case Kind::Combo: {
      auto* combo = new ToneCombo(parent);
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      return combo;
    }
  }
  return nullptr;
}

}  // namespace

CTestModeDlg::CTestModeDlg(const QString& bandText, const QString& portName, PortFactory makePort, Clock& clock,
                           Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      bandBase_(BandBaseMhz(bandText.toStdString())),
      portName_(portName),
      prompter_(prompter),
      worker_(std::move(makePort), clock, prompter) {
  for (std::size_t i = 0; i < kDebugFrequencies.size(); ++i) {
    const double mhz = bandBase_ + kDebugFrequencies[i].offsetMhz;
    frequencies_[i].rxMhz = frequencies_[i].txMhz = mhz;
  }
  setWindowTitle(QString::fromLatin1(texts::kTestModeCaption));
  setModal(true);
  setFont(FormFamilyFont(10.0));
  CreateControls();
  connect(&worker_, &TestExchangeWorker::finished, this, &CTestModeDlg::OnExchangeFinished);
}

CTestModeDlg::~CTestModeDlg() {
  // The lists close their popups while the dialog's children are deleted,
  // after the members their callbacks use are gone.
  for (const SideControls* side : {&rx_, &tx_}) {
    if (auto* tones = static_cast<ToneCombo*>(side->tones)) tones->onListClosed = nullptr;
  }
}

void CTestModeDlg::CreateControls() {
  const DialogUnits units(font());
  setFixedSize(units.Size(391, 216));
  for (const ControlRow& row : kTemplate) {
    QWidget* control = MakeControl(row, this);
    QRect rect = units.Rect(row.x, row.y, row.cx, row.cy);
    // A combo box's template height is that of its dropped list.
    if (row.kind == Kind::Combo) rect.setHeight(control->sizeHint().height());
    control->setGeometry(rect);
    controls_.insert(row.id, control);
    if (row.panel == Panel::Frequency) frequencyPanel_.append(control);
    if (row.panel == Panel::Parameter) parameterPanel_.append(control);
  }
  // Group boxes lie behind the controls they frame, whatever their order.
  for (QGroupBox* box : findChildren<QGroupBox*>()) box->lower();

  // Says what Start sends, in the parameter panel below the value.
  sends_ = new QLabel(this);
  sends_->setGeometry(units.Rect(128, 157, 221, 20));
  sends_->setWordWrap(true);
  parameterPanel_.append(sends_);

  tree_ = static_cast<QTreeWidget*>(Control(1026));
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  const auto addItem = [this](QTreeWidgetItem* parent, const char* text, int code) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    item->setText(0, QString::fromLatin1(text));
    item->setData(0, Qt::UserRole, code);
    return item;
  };
  QTreeWidgetItem* frequencies = addItem(nullptr, "Debug Frequency", kDebugFrequencyRoot);
  for (const DebugFrequency& f : kDebugFrequencies) addItem(frequencies, f.name, f.itemCode);
  QTreeWidgetItem* items = addItem(nullptr, "Debug Item", kDebugItemRoot);
  for (const DebugItem& i : kDebugItems) addItem(items, i.name, i.itemCode);
  addItem(nullptr, "Exit Debug", kExitDebugItem);
  frequencies->setExpanded(true);
  items->setExpanded(false);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CTestModeDlg::OnTreeSelection);

  static_cast<QGroupBox*>(Control(1029))->setTitle(QString::fromLatin1(texts::kChooseFrequencyFirst));
  const auto radio = [this](int id) { return static_cast<QRadioButton*>(Control(id)); };
  const auto combo = [this](int id) { return static_cast<ToneCombo*>(Control(id)); };
  rx_ = {static_cast<QLineEdit*>(Control(1030)), radio(1034), radio(1035), combo(1012), radio(1063), radio(1064)};
  tx_ = {static_cast<QLineEdit*>(Control(1031)), radio(1036), radio(1037), combo(1013), radio(1066), radio(1067)};
  for (bool receive : {true, false}) {
    const SideControls& side = receive ? rx_ : tx_;
    side.qt->setChecked(true);
    side.step5->setChecked(true);
    FillTones(side.tones, false);
    side.tones->setCurrentIndex(0);
    connect(side.qt, &QRadioButton::clicked, this, [this, receive] { OnToneMethod(receive, false); });
    connect(side.dqt, &QRadioButton::clicked, this, [this, receive] { OnToneMethod(receive, true); });
    connect(side.step5, &QRadioButton::clicked, this, [this, receive] { OnStep(receive, StepSize::k5000Hz); });
    connect(side.step625, &QRadioButton::clicked, this, [this, receive] { OnStep(receive, StepSize::k6250Hz); });
    static_cast<ToneCombo*>(side.tones)->onListClosed = [this, receive] {
      CurrentSide(receive).toneSelection = (receive ? rx_ : tx_).tones->currentIndex();
    };
  }

  // High, Middle and Low are read by nothing: they say so.
  const int debugFrequencyButtons[] = {1040, 1041, 1042};
  radio(1040)->setChecked(true);
  for (int id : debugFrequencyButtons) {
    radio(id)->setToolTip(QStringLiteral(
        "The frequencies sent are those of the debug frequency last chosen in the tree."));
    connect(radio(id), &QRadioButton::clicked, this, [radio, id, debugFrequencyButtons] {
      for (int other : debugFrequencyButtons) radio(other)->setChecked(other == id);
    });
  }

  slider_ = static_cast<QSlider*>(Control(1039));
  slider_->setRange(0, 255);
  slider_->setValue(0);
  connect(slider_, &QSlider::valueChanged, this, [this](int value) {
    values_[static_cast<std::size_t>(currentItem_ - 2)] = value;
    ShowValue(value);
  });
  connect(static_cast<QPushButton*>(Control(1028)), &QPushButton::clicked, this, &CTestModeDlg::OnDefault);
  connect(static_cast<QPushButton*>(Control(1038)), &QPushButton::clicked, this, &CTestModeDlg::OnStart);

  Control(1028)->hide();
  Control(1068)->hide();
  Control(1068)->setEnabled(false);
  ShowPanels(false, false);
}

void CTestModeDlg::ShowPanels(bool frequency, bool parameter) {
  for (QWidget* w : frequencyPanel_) w->setVisible(frequency);
  for (QWidget* w : parameterPanel_) w->setVisible(parameter);
}

void CTestModeDlg::OnTreeSelection() {
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  if (selected.isEmpty()) return;
  const QTreeWidgetItem* item = selected.front();
  const int code = item->data(0, Qt::UserRole).toInt();
  if (item->parent() != nullptr) {
    if (defaultNotShown_) {
      Control(1028)->show();
      defaultNotShown_ = false;
    }
    const bool underFrequencies = item->parent()->data(0, Qt::UserRole).toInt() == kDebugFrequencyRoot;
    ShowPanels(underFrequencies, !underFrequencies);
  }
  for (const DebugFrequency& f : kDebugFrequencies) {
    if (f.itemCode == code) SelectDebugFrequency(f);
  }
  for (const DebugItem& i : kDebugItems) {
    if (i.itemCode == code) SelectDebugItem(i);
  }
  if (code == kExitDebugItem) accept();
}

void CTestModeDlg::SelectDebugFrequency(const DebugFrequency& frequency) {
  static_cast<QGroupBox*>(Control(1029))->setTitle(QString::fromLatin1(frequency.caption));
  currentFrequency_ = frequency.code;
  rx_.edit->setText(QString::fromStdString(FormatFixed(Current().rxMhz, 8, 5)));
  tx_.edit->setText(QString::fromStdString(FormatFixed(Current().txMhz, 8, 5)));
  ShowSide(rx_, Current().rx);
  ShowSide(tx_, Current().tx);
}

void CTestModeDlg::ShowSide(const SideControls& controls, const Side& side) {
  controls.step5->setChecked(side.step == StepSize::k5000Hz);
  controls.step625->setChecked(side.step == StepSize::k6250Hz);
  controls.qt->setChecked(!side.dqt);
  controls.dqt->setChecked(side.dqt);
  FillTones(controls.tones, side.dqt);
  // A DQT choice beyond the QT list selects nothing; Start then sends the
  // tone the combo's text names.
  controls.tones->setCurrentIndex(side.toneSelection < controls.tones->count() ? side.toneSelection : -1);
}

void CTestModeDlg::SelectDebugItem(const DebugItem& item) {
  currentItem_ = item.code;
  const int value = values_[static_cast<std::size_t>(item.code - 2)];
  slider_->setValue(value);
  ShowValue(value);
  UpdateSendsLine();
}

void CTestModeDlg::ShowValue(int value) {
  static_cast<QLabel*>(Control(1052))->setText(QString::fromLatin1(texts::kCurrentPosition) + QString::number(value));
}

void CTestModeDlg::OnToneMethod(bool receive, bool dqt) {
  const SideControls& side = receive ? rx_ : tx_;
  QRadioButton* clicked = dqt ? side.dqt : side.qt;
  QRadioButton* partner = dqt ? side.qt : side.dqt;
  clicked->setChecked(true);  // a click never unchecks a radio button
  if (!partner->isChecked()) return;
  partner->setChecked(false);
  CurrentSide(receive).dqt = dqt;
  FillTones(side.tones, dqt);
  side.tones->setCurrentIndex(0);
}

void CTestModeDlg::OnStep(bool receive, StepSize step) {
  const SideControls& side = receive ? rx_ : tx_;
  side.step5->setChecked(step == StepSize::k5000Hz);
  side.step625->setChecked(step == StepSize::k6250Hz);
  CurrentSide(receive).step = step;
}

void CTestModeDlg::OnDefault() {
  if (slider_->isVisible()) {
    const int value = CurrentItemRow().defaultValue;
    values_[static_cast<std::size_t>(currentItem_ - 2)] = value;
    ShowValue(value);
    slider_->setValue(value);
  } else if (rx_.edit->isVisible()) {
    FrequencyState& state = Current();
    state = FrequencyState{};
    state.rxMhz = state.txMhz = bandBase_ + CurrentFrequencyRow().offsetMhz;
    SelectDebugFrequency(CurrentFrequencyRow());
  } else {
    prompter_.Tell(texts::kNoVisibleInformation);
  }
}

const DebugFrequency& CTestModeDlg::CurrentFrequencyRow() const {
  return kDebugFrequencies[static_cast<std::size_t>(currentFrequency_ - 2)];
}

const DebugItem& CTestModeDlg::CurrentItemRow() const {
  return kDebugItems[static_cast<std::size_t>(currentItem_ - 2)];
}

void CTestModeDlg::CheckFrequency(QLineEdit* edit) {
  const SideControls& side = edit == rx_.edit ? rx_ : tx_;
  const StepSize step = side.step5->isChecked() ? StepSize::k5000Hz : StepSize::k6250Hz;
  edit->setText(QString::fromStdString(CheckTestFrequency(edit->text().toStdString(), bandBase_, step)));
}

void CTestModeDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QDialog::keyPressEvent(event);
    return;
  }
  QWidget* focus = focusWidget();
  if (focus == Control(1028)) {
    OnDefault();
  } else if (focus == Control(1038)) {
    static_cast<QPushButton*>(focus)->click();
  } else {
    if (focus == rx_.edit || focus == tx_.edit) CheckFrequency(static_cast<QLineEdit*>(focus));
    focusNextChild();
  }
}

void CTestModeDlg::done(int result) {
  if (worker_.IsRunning()) {
    closeWhenIdle_ = true;
    closeResult_ = result;
    worker_.Cancel();
    return;
  }
  QDialog::done(result);
}

QString CTestModeDlg::ToneOf(const QComboBox* combo) {
  const int index = combo->currentIndex();
  if (index >= 0 && combo->currentText() == combo->itemText(index)) return combo->itemText(index);
  return QString::fromStdString(ToneToSend(combo->currentText().toStdString()));
}

TestExchangeInput CTestModeDlg::GatherInput() const {
  TestExchangeInput input;
  input.portName = portName_.toStdString();
  input.command = CurrentItemRow().command;
  input.value = static_cast<std::uint8_t>(values_[static_cast<std::size_t>(currentItem_ - 2)] & 0xFF);
  input.rxFrequency = rx_.edit->text().toStdString();
  input.txFrequency = tx_.edit->text().toStdString();
  input.rxTone = ToneOf(rx_.tones).toStdString();
  input.txTone = ToneOf(tx_.tones).toStdString();
  return input;
}

void CTestModeDlg::UpdateSendsLine() {
  const TestExchangeInput input = GatherInput();
  const auto mhz = [](const std::string& text) {
    return text.empty() ? QStringLiteral("0") : QString::fromStdString(text).trimmed();
  };
  sends_->setText(QStringLiteral("Start sends RX %1 MHz, tone %2; TX %3 MHz, tone %4.")
                      .arg(mhz(input.rxFrequency), QString::fromStdString(input.rxTone), mhz(input.txFrequency),
                           QString::fromStdString(input.txTone)));
}

void CTestModeDlg::OnStart() {
  // The dialog stays live: what it shows may change before the exchange ends.
  running_ = GatherInput();
  if (!worker_.Start(running_)) return;
  Control(1038)->setEnabled(false);
  sends_->setText(QStringLiteral("Talking to the radio on %1...").arg(portName_));
}

void CTestModeDlg::OnExchangeFinished() {
  Control(1038)->setEnabled(true);
  UpdateSendsLine();
  if (worker_.Outcome().result == TestExchangeResult::Finished) emit outcome(SentText(running_));
  emit exchangeFinished();
  if (closeWhenIdle_) QDialog::done(closeResult_);
}

QString CTestModeDlg::SentText(const TestExchangeInput& sent) {
  // The frequencies as their blocks carried them, in MHz.
  const auto mhz = [](const std::string& text) {
    return QString::fromStdString(FormatFixed(static_cast<double>(TestFrequencyUnits(text).value_or(0)) / 100000, 0, 5));
  };
  QString item;
  for (const DebugItem& i : kDebugItems) {
    if (i.command == sent.command) item = QString::fromLatin1(i.name);
  }
  const QString rx = mhz(sent.rxFrequency);
  const QString tx = mhz(sent.txFrequency);
  const QString at = rx == tx ? rx : QStringLiteral("RX %1 / TX %2").arg(rx, tx);
  return QStringLiteral("Sent %1 %2 at %3 MHz on %4")
      .arg(item, QString::number(sent.value), at, QString::fromStdString(sent.portName));
}

void CTestModeDlg::FillTones(QComboBox* combo, bool dqt) {
  const ToneRun run = dqt ? kDqtTones : kQtTones;
  const ToneTable& tones = ToneTable::Instance();
  combo->clear();
  for (int i = run.first; i < run.first + run.count; ++i) combo->addItem(QString::fromStdString(tones.Name(i)));
}

}  // namespace korvel
