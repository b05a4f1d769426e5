#include "features/feature_inputs.h"

#include <QLineEdit>
#include <algorithm>

#include "model/optional_features.h"

namespace korvel {

using namespace settings;

RadioTextValidator::RadioTextValidator(RadioTextKind kind, QLineEdit* edit)
    : QValidator(edit),
      kind_(kind),
      allowed_(std::max<qsizetype>(static_cast<qsizetype>(RadioTextLimit(kind)), edit->text().size())) {
  edit->setValidator(this);
  // Once shortened, a long loaded text cannot grow back past the limit.
  connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
    allowed_ = std::max(static_cast<qsizetype>(RadioTextLimit(kind_)), std::min(allowed_, text.size()));
  });
}

QValidator::State RadioTextValidator::validate(QString& input, int& pos) const {
  QString kept;
  int keptPos = pos;
  for (qsizetype i = 0; i < input.size(); ++i) {
    const QChar c = input.at(i);
    if (c.unicode() < 0x80 && RadioTextAccepts(kind_, static_cast<char>(c.unicode())))
      kept += c.toUpper();
    else if (i < pos)
      --keptPos;
  }
  if (kept.size() > allowed_) return Invalid;
  input = kept;
  pos = keptPos;
  return Acceptable;
}

TimeOutTimerSpin::TimeOutTimerSpin(QWidget* parent) : QSpinBox(parent) {
  setRange(0, static_cast<int>(kTimeOutTimerTexts.size()) - 1);
  setWrapping(false);
}

QString TimeOutTimerSpin::textFromValue(int value) const {
  return QString::fromStdString(TimeOutTimerText(value));
}

int TimeOutTimerSpin::valueFromText(const QString& text) const {
  return FindListItem(kTimeOutTimerTexts, text.trimmed().toStdString()).value_or(value());
}

QValidator::State TimeOutTimerSpin::validate(QString& text, int&) const {
  const std::string typed = text.trimmed().toStdString();
  if (FindListItem(kTimeOutTimerTexts, typed)) return QValidator::Acceptable;
  // On the way to a value: the start of one.
  for (std::string_view item : kTimeOutTimerTexts) {
    if (typed.size() < item.size() && FindListItem(std::array{item.substr(0, typed.size())}, typed))
      return QValidator::Intermediate;
  }
  return QValidator::Invalid;
}

}  // namespace korvel
