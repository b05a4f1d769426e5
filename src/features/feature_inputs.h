#pragma once
// The two kinds of entry of the optional features dialog that are not plain
// lists: the radio texts (ANI code, radio name) and the time-out timer.

#include <QSpinBox>
#include <QValidator>

#include "model/settings_block.h"

class QLineEdit;

namespace korvel {

// Takes only the characters the field stores (digits and its letters, shown
// upper case) and stops the text at the field's limit, for typing and pasting
// alike; other characters are dropped. A longer text already in the edit when
// the rules are attached (one read from the image) stays whole and can only
// shrink, so OK can name the problem instead of cutting the text silently.
// Keys that do not enter text (Tab, Enter, Escape, arrows, Delete) are left to
// the edit and the dialog.
class RadioTextValidator : public QValidator {
  Q_OBJECT
 public:
  // Attach after the loaded text is in the edit.
  RadioTextValidator(settings::RadioTextKind kind, QLineEdit* edit);
  State validate(QString& input, int& pos) const override;

 private:
  settings::RadioTextKind kind_;
  qsizetype allowed_;  // the limit, or the shrinking length of a longer loaded text
};

// The time-out timer: positions 0 to 9 shown as "OFF" or the seconds, without
// wrapping. Typing a shown value moves the position; other text is refused as
// it is typed, so the text shown is always the value stored.
class TimeOutTimerSpin : public QSpinBox {
  Q_OBJECT
 public:
  explicit TimeOutTimerSpin(QWidget* parent = nullptr);

 protected:
  QString textFromValue(int value) const override;
  int valueFromText(const QString& text) const override;
  QValidator::State validate(QString& text, int& pos) const override;
};

}  // namespace korvel
