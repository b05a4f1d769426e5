#include "features/optional_features_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/dialog_units.h"
#include "features/feature_inputs.h"
#include "model/document_history.h"
#include "model/settings_block.h"

namespace korvel {
namespace {

using namespace settings;

template <std::size_t N>
void AddItems(QComboBox* list, const std::array<std::string_view, N>& items) {
  for (std::string_view item : items) list->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
}

// The item the list's text names, or fallback when it names none (text typed
// into the list's field).
template <std::size_t N>
int ListValue(const QComboBox* list, const std::array<std::string_view, N>& items, int fallback) {
  return FindListItem(items, list->currentText().toStdString()).value_or(fallback);
}

}  // namespace

COptionalFeaturesDlg::COptionalFeaturesDlg(CKovDoc& document, Prompter& prompter, QWidget* parent)
    : QDialog(parent), document_(document), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Optional Features"));
  setAccessibleName(windowTitle());
  // A modal frame with a caption and a close box only.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setFont(FormFont());
  CreateControls();
  Load();
}

// Template 156 in dialog units, controls created in its tab order. Group
// boxes and the line are lowered so the controls they frame stay on top.
void COptionalFeaturesDlg::CreateControls() {
  const DialogUnits du(font());
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  ok->setGeometry(du.Rect(61, 172, 50, 14));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setGeometry(du.Rect(179, 171, 50, 14));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto label = [&](const QString& text, QRect rect) {
    auto* caption = new QLabel(text, this);
    caption->setGeometry(rect);
    return caption;
  };
  auto group = [&](const QString& title, QRect rect) {
    auto* box = new QGroupBox(title, this);
    box->setGeometry(rect);
    box->setStyleSheet(FormGroupBoxStyle());
    box->lower();
  };

  QLabel* totLabel = label(QStringLiteral("Time out time(TOT)(s)"), du.Rect(8, 19, 81, 10));
  QLabel* squelchLabel = label(QStringLiteral("Squelch Level"), du.Rect(13, 37, 52, 11));
  squelch_ = AddList(QStringLiteral("squelch"), du.Rect(92, 34, 47, 52), du.Y(52));
  AddItems(squelch_, kSquelchTexts);
  beep_ = AddCheck(QStringLiteral("Beep"), du.Rect(13, 73, 35, 9));
  scrambler_ = AddCheck(QStringLiteral("Scrambler Activation"), du.Rect(13, 86, 81, 14));
  group(QStringLiteral("Function Set"), du.Rect(7, 7, 145, 98));
  group(QStringLiteral("VOX"), du.Rect(164, 7, 152, 56));
  voxFunction_ = AddCheck(QStringLiteral("Vox Function"), du.Rect(197, 15, 57, 12));
  QLabel* gainLabel = label(QStringLiteral("Vox Gain Level"), du.Rect(181, 25, 55, 10));
  QLabel* delayLabel = label(QStringLiteral("Vox  Delay Time(s)"), du.Rect(181, 42, 66, 10));
  voxGain_ = AddList(QStringLiteral("voxGain"), du.Rect(253, 24, 47, 42), du.Y(42));
  AddItems(voxGain_, kVoxGainTexts);
  voxDelay_ = AddList(QStringLiteral("voxDelay"), du.Rect(253, 43, 47, 49), du.Y(49));
  AddItems(voxDelay_, kVoxDelayTexts);
  group(QStringLiteral("PTT ID"), du.Rect(9, 108, 201, 56));
  QLabel* languageLabel = label(QStringLiteral("Language Choose"), du.Rect(13, 53, 61, 11));
  language_ = AddList(QStringLiteral("language"), du.Rect(91, 53, 50, 69), du.Y(69));
  AddItems(language_, kLanguageTexts);
  QLabel* aniLabel = label(QStringLiteral("ANI"), du.Rect(13, 122, 14, 8));
  aniCode_ = new QLineEdit(this);
  aniCode_->setObjectName(QStringLiteral("aniCode"));
  aniCode_->setGeometry(du.Rect(60, 120, 71, 12));
  QLabel* nameLabel = label(QStringLiteral("Radio Name"), du.Rect(15, 148, 38, 8));
  radioName_ = new QLineEdit(this);
  radioName_->setObjectName(QStringLiteral("radioName"));
  radioName_->setGeometry(du.Rect(61, 145, 72, 13));
  voxInhibit_ = AddCheck(QStringLiteral("Vox Inhibit On Recieve"), du.Rect(178, 64, 103, 13));
  // The edit and its up-down control of the template as one spin box.
  timeOutTimer_ = new TimeOutTimerSpin(this);
  timeOutTimer_->setObjectName(QStringLiteral("timeOutTimer"));
  timeOutTimer_->setGeometry(du.Rect(91, 17, 47, 12));
  batterySave_ = AddCheck(QStringLiteral("Battery Save"), du.Rect(74, 71, 61, 11));
  pttIdBegin_ = AddCheck(QStringLiteral("Begin of Tx"), du.Rect(144, 122, 53, 10));
  pttIdEnd_ = AddCheck(QStringLiteral("End of Tx"), du.Rect(145, 146, 48, 10));
  auto* line = new QFrame(this);
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  line->setGeometry(du.Rect(9, 138, 201, 1));
  line->lower();

  // The dialog offers no VOX switches: both boxes stay hidden, disabled and
  // clear, so every OK clears their bits.
  for (QCheckBox* box : {voxFunction_, voxInhibit_}) {
    box->setEnabled(false);
    box->hide();
  }
  const std::pair<QLabel*, QWidget*> buddies[] = {{totLabel, timeOutTimer_}, {squelchLabel, squelch_},
                                                  {gainLabel, voxGain_},     {delayLabel, voxDelay_},
                                                  {languageLabel, language_}, {aniLabel, aniCode_},
                                                  {nameLabel, radioName_}};
  for (const auto& [caption, control] : buddies) {
    caption->setBuddy(control);
    control->setAccessibleName(caption->text());
  }
  setFixedSize(du.Size(338, 196));
}

QComboBox* COptionalFeaturesDlg::AddList(const QString& name, QRect rect, int listHeight) {
  auto* list = new QComboBox(this);
  list->setObjectName(name);
  list->setEditable(true);
  // Typed text never becomes an item; OK reads what it names.
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setGeometry(rect.x(), rect.y(), rect.width(), list->sizeHint().height());
  list->setMaxVisibleItems(VisibleEntries(*list, listHeight));
  return list;
}

QCheckBox* COptionalFeaturesDlg::AddCheck(const QString& text, QRect rect) {
  auto* box = new QCheckBox(text, this);
  box->setGeometry(rect);
  return box;
}

void COptionalFeaturesDlg::Load() {
  loaded_ = LoadOptionalFeatures(document_.Image());
  timeOutTimer_->setValue(loaded_.timeOutTimer);
  squelch_->setCurrentIndex(loaded_.squelchLevel);
  beep_->setChecked(loaded_.beep);
  scrambler_->setChecked(loaded_.scrambler);
  batterySave_->setChecked(loaded_.batterySave);
  language_->setCurrentIndex(loaded_.language);
  voxGain_->setCurrentIndex(loaded_.voxGain);
  voxDelay_->setCurrentIndex(loaded_.voxDelay);
  voxFunction_->setChecked(false);
  voxInhibit_->setChecked(false);
  pttIdBegin_->setChecked(loaded_.pttIdBegin);
  pttIdEnd_->setChecked(loaded_.pttIdEnd);
  aniCode_->setText(QString::fromStdString(loaded_.aniCode));
  radioName_->setText(QString::fromStdString(loaded_.radioName));
  new RadioTextValidator(RadioTextKind::AniCode, aniCode_);
  new RadioTextValidator(RadioTextKind::RadioName, radioName_);
}

OptionalFeatures COptionalFeaturesDlg::Current() const {
  OptionalFeatures f;
  f.timeOutTimer = timeOutTimer_->value();
  f.squelchLevel = ListValue(squelch_, kSquelchTexts, loaded_.squelchLevel);
  f.beep = beep_->isChecked();
  f.scrambler = scrambler_->isChecked();
  f.batterySave = batterySave_->isChecked();
  f.language = ListValue(language_, kLanguageTexts, loaded_.language);
  f.voxGain = ListValue(voxGain_, kVoxGainTexts, loaded_.voxGain);
  f.voxDelay = ListValue(voxDelay_, kVoxDelayTexts, loaded_.voxDelay);
  f.pttIdBegin = pttIdBegin_->isChecked();
  f.pttIdEnd = pttIdEnd_->isChecked();
  f.aniCode = aniCode_->text().toStdString();
  f.radioName = radioName_->text().toStdString();
  return f;
}

void COptionalFeaturesDlg::accept() {
  // Text typed into the timer that names no value goes back to the one shown.
  timeOutTimer_->interpretText();
  const OptionalFeatures f = Current();
  const struct {
    QLineEdit* edit;
    RadioTextKind kind;
    const std::string& text;
  } texts[] = {{aniCode_, RadioTextKind::AniCode, f.aniCode}, {radioName_, RadioTextKind::RadioName, f.radioName}};
  for (const auto& text : texts) {
    const std::string problem = RadioTextProblem(text.kind, text.text);
    if (problem.empty()) continue;
    prompter_.Ask(Prompt{problem, Buttons::Ok, kAppTitle, Icon::Warning});
    text.edit->setFocus();
    text.edit->selectAll();
    return;
  }
  {
    // OK that changed anything is one undo step and marks the document
    // modified; OK that changed nothing is no step.
    DocumentStep step(document_.History(), "Optional Features");
    StoreOptionalFeatures(f, document_.Image());
  }
  QDialog::accept();
}

}  // namespace korvel
