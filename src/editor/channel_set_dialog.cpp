#include "editor/channel_set_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <algorithm>

#include "model/channel_record.h"
#include "model/tone_table.h"

namespace korvel {
namespace {

// "PMR446: 16 channels, 446.00625 to 446.19375 MHz"
QString SetLabel(const ChannelSet& set) {
  const auto [lowest, highest] = std::minmax_element(
      set.channels.begin(), set.channels.end(),
      [](const SetChannel& a, const SetChannel& b) { return a.receive < b.receive; });
  return QStringLiteral("%1: %2 channels, %3 to %4 MHz")
      .arg(QString::fromStdString(set.name))
      .arg(set.channels.size())
      .arg(QString::fromStdString(FormatFrequency(lowest->receive)),
           QString::fromStdString(FormatFrequency(highest->receive)));
}

constexpr const char* kSteps[] = {"5", "6.25", "10", "12.5", "20", "25"};
constexpr int kDefaultStep = 3;  // 12.5 kHz

enum Shift { kSimplex, kPlus, kMinus };

}  // namespace

ChannelSetDialog::ChannelSetDialog(int row, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Insert Standard Channels"));
  auto* form = new QFormLayout(this);
  auto* where = new QLabel(
      QStringLiteral("The channels go into empty channels from channel %1 down, narrow and simplex for the "
                     "standard sets, with the options a first frequency gives.")
          .arg(row),
      this);
  where->setWordWrap(true);
  form->addRow(where);

  sets_ = new QComboBox(this);
  for (const ChannelSet& set : StandardChannelSets()) sets_->addItem(SetLabel(set));
  sets_->addItem(QStringLiteral("Series of channels"));
  sets_->setAccessibleName(QStringLiteral("Set"));
  form->addRow(QStringLiteral("&Set:"), sets_);

  series_ = new QGroupBox(QStringLiteral("Series"), this);
  auto* seriesForm = new QFormLayout(series_);
  start_ = new QLineEdit(series_);
  start_->setAccessibleName(QStringLiteral("Start frequency"));
  start_->setPlaceholderText(QStringLiteral("e.g. 446.00625"));
  seriesForm->addRow(QStringLiteral("S&tart (MHz):"), start_);
  step_ = new QComboBox(series_);
  step_->setEditable(true);
  for (const char* step : kSteps) step_->addItem(QString::fromLatin1(step));
  step_->setCurrentIndex(kDefaultStep);
  step_->setAccessibleName(QStringLiteral("Step"));
  seriesForm->addRow(QStringLiteral("St&ep (kHz):"), step_);
  count_ = new QSpinBox(series_);
  count_->setRange(1, kChannelCount);
  count_->setValue(std::min(16, kChannelCount - row + 1));
  count_->setAccessibleName(QStringLiteral("Count"));
  seriesForm->addRow(QStringLiteral("&Count:"), count_);
  shift_ = new QComboBox(series_);
  shift_->addItems({QStringLiteral("Same as receive"), QStringLiteral("Receive + offset"),
                    QStringLiteral("Receive - offset")});
  shift_->setAccessibleName(QStringLiteral("Transmit"));
  seriesForm->addRow(QStringLiteral("T&ransmit:"), shift_);
  offset_ = new QLineEdit(series_);
  offset_->setAccessibleName(QStringLiteral("Offset"));
  offset_->setPlaceholderText(QStringLiteral("e.g. 0.6"));
  seriesForm->addRow(QStringLiteral("&Offset (MHz):"), offset_);
  form->addRow(series_);

  rxTone_ = AddToneList(QStringLiteral("Rx Tone"));
  form->addRow(QStringLiteral("R&x Tone:"), rxTone_);
  txTone_ = AddToneList(QStringLiteral("Tx Tone"));
  form->addRow(QStringLiteral("Tx To&ne:"), txTone_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);

  connect(sets_, &QComboBox::currentIndexChanged, this, &ChannelSetDialog::EnableSeries);
  connect(shift_, &QComboBox::currentIndexChanged, this, &ChannelSetDialog::EnableSeries);
  EnableSeries();
}

QComboBox* ChannelSetDialog::AddToneList(const QString& name) {
  auto* list = new QComboBox(this);
  const ToneTable& tones = ToneTable::Instance();
  for (int i = 0; i < tones.Count(); ++i) list->addItem(QString::fromStdString(tones.Name(i)));
  list->setMaxVisibleItems(20);
  list->setAccessibleName(name);
  return list;
}

bool ChannelSetDialog::SeriesChosen() const {
  return sets_->currentIndex() == static_cast<int>(StandardChannelSets().size());
}

void ChannelSetDialog::EnableSeries() {
  series_->setEnabled(SeriesChosen());
  offset_->setEnabled(shift_->currentIndex() != kSimplex);
}

void ChannelSetDialog::accept() {
  if (SeriesChosen()) {
    QString offset;
    if (shift_->currentIndex() != kSimplex) {
      // The list gives the direction: a sign typed before the megahertz as
      // well is not a second one.
      QString megahertz = offset_->text().trimmed();
      if (megahertz.startsWith(u'+') || megahertz.startsWith(u'-')) megahertz.remove(0, 1);
      offset = (shift_->currentIndex() == kPlus ? QStringLiteral("+") : QStringLiteral("-")) + megahertz;
    }
    const SeriesOutcome series = MakeSeries(start_->text().trimmed().toStdString(),
                                            step_->currentText().trimmed().toStdString(),
                                            std::to_string(count_->value()), offset.toStdString());
    if (!series.set) {
      prompter_.Tell(series.refusal);
      return;
    }
    set_ = *series.set;
  } else {
    set_ = StandardChannelSets()[static_cast<std::size_t>(sets_->currentIndex())];
  }
  set_.rxTone = rxTone_->currentText().toStdString();
  set_.txTone = txTone_->currentText().toStdString();
  QDialog::accept();
}

}  // namespace korvel
