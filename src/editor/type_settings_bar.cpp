#include "editor/type_settings_bar.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <memory>

#include "widgets/dialog_units.h"
#include "model/settings_block.h"

namespace korvel {
namespace {

// Form positions in dialog units.
constexpr int kBoxX = 7;
constexpr int kBoxY = 7;
constexpr int kLabelY = 19;
constexpr int kLabelHeight = 8;

// Where a text's first non-blank character is (its size if none).
int FirstNonBlank(const QString& text) {
  int i = 0;
  while (i < text.size() && text.at(i).isSpace()) ++i;
  return i;
}

}  // namespace

TypeSettingsBar::TypeSettingsBar(ChannelTable& channels, const DialogUnits& units, QWidget* parent)
    : QGroupBox(QStringLiteral("Type Setting"), parent), channels_(channels) {
  // Children are placed at form position minus the group box's position.
  auto at = [&](int x, int y, int w, int h) {
    return units.Rect(x, y, w, h).translated(-units.X(kBoxX), -units.Y(kBoxY));
  };
  model_ = AddList(QStringLiteral("Type"), at(14, kLabelY, 20, kLabelHeight),
                   at(36, 16, 62, 52));
  band_ = AddList(QStringLiteral("Field"), at(103, kLabelY, 18, kLabelHeight),
                  at(122, 16, 58, 59));
  rank_ = AddList(QStringLiteral("Tx Power Rank"), at(198, kLabelY, 55, kLabelHeight),
                  at(255, 15, 36, 40));
  manual_ = AddList(QStringLiteral("Manul Setting:"), at(302, kLabelY, 56, kLabelHeight),
                    at(360, 15, 46, 52));

  for (std::string_view text : settings::kModelTexts) model_->addItem(QString::fromUtf8(text));
  for (std::string_view text : settings::kBandTexts) band_->addItem(QString::fromUtf8(text));
  for (int rank = 0; rank < settings::kTxPowerRankCount; ++rank) rank_->addItem(QString::number(rank));
  rank_->model()->sort(0);  // the rank list is a sorted list
  for (std::string_view text : settings::kManualTexts) manual_->addItem(QString::fromUtf8(text));

  // A list is at least as wide as its longest entry needs with this style's
  // arrow button, so that no entry is shown cut off.
  for (QComboBox* list : {model_, band_, rank_, manual_}) {
    if (list->sizeHint().width() > list->width()) list->resize(list->sizeHint().width(), list->height());
    list->lineEdit()->setCursorPosition(0);
  }
  // The title sits on the frame line, and the lists inside the frame.
  setStyleSheet(FormGroupBoxStyle());

  for (QComboBox* list : {model_, band_, rank_, manual_}) {
    SelectByPrefix(list);
    connect(list, &QComboBox::currentIndexChanged, this, &TypeSettingsBar::Store);
  }
  connect(manual_, &QComboBox::editTextChanged, this, &TypeSettingsBar::Store);
  Load(channels_.Type());
  followed_ = channels_.Subscribe([this](const ChannelChange& change) { Follow(change); });
}

QComboBox* TypeSettingsBar::AddList(const QString& label, QRect labelRect, QRect listRect) {
  auto* caption = new QLabel(label, this);
  caption->setGeometry(labelRect);
  auto* list = new QComboBox(this);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setCompleter(nullptr);
  list->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->setGeometry(listRect.x(), listRect.y(), listRect.width(), list->sizeHint().height());
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  list->setMaxVisibleItems(kListEntriesShown);
  list->setAccessibleName(label);
  caption->setBuddy(list);
  return list;
}

void TypeSettingsBar::SelectByPrefix(QComboBox* list) {
  // The text typed so far: a text it begins with is a deletion, which
  // selects nothing so that Backspace can take back a completion.
  auto typed = std::make_shared<QString>();
  connect(list->lineEdit(), &QLineEdit::textEdited, this, [list, typed](const QString& text) {
    const bool deleting = typed->startsWith(text);
    *typed = text;
    const QString wanted = text.mid(FirstNonBlank(text));
    if (deleting || wanted.isEmpty()) return;
    for (int i = 0; i < list->count(); ++i) {
      const QString entry = list->itemText(i);
      // Entries may begin with blanks ("  67 - 72MHz").
      const int start = FirstNonBlank(entry);
      if (!entry.mid(start).startsWith(wanted, Qt::CaseInsensitive)) continue;
      list->setCurrentIndex(i);
      list->lineEdit()->setText(entry);
      // The completed rest is selected, so the next key replaces it.
      const int typedEnd = start + static_cast<int>(wanted.size());
      list->lineEdit()->setSelection(static_cast<int>(entry.size()), typedEnd - static_cast<int>(entry.size()));
      return;
    }
  });
}

void TypeSettingsBar::Load(const TypeSettings& type) {
  // The values come from the working copy: nothing to write back.
  loading_ = true;
  model_->setCurrentIndex(type.model);
  band_->setCurrentIndex(type.band);
  rank_->setCurrentIndex(type.txPowerRank);
  manual_->setCurrentIndex(type.manual);
  loading_ = false;
}

void TypeSettingsBar::Store() {
  if (!loading_) channels_.SetType(Current());
}

void TypeSettingsBar::Follow(const ChannelChange& change) {
  // A fill always loads; a change from elsewhere only when the lists show
  // something else (the bar's own writes already match).
  if (change.kind == ChannelChange::Kind::Filled ||
      (change.kind == ChannelChange::Kind::Type && channels_.Type() != Current())) {
    Load(channels_.Type());
  }
}

TypeSettings TypeSettingsBar::Current() const {
  TypeSettings type;
  type.model = model_->currentIndex();
  type.band = band_->currentIndex();
  type.txPowerRank = rank_->currentIndex();
  type.manual = manual_->findText(manual_->currentText(), Qt::MatchExactly);
  return type;
}

QString TypeSettingsBar::BandText() const {
  // The selected entry: text typed over it in the field selects nothing.
  return band_->itemText(band_->currentIndex());
}

}  // namespace korvel
