#pragma once
// The optional features dialog: the radio-wide features of the settings
// block, loaded from the document's image when it opens and stored into it
// only on OK.

#include <QDialog>

#include "model/kov_document.h"
#include "model/optional_features.h"
#include "model/prompter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace korvel {

class TimeOutTimerSpin;

class COptionalFeaturesDlg : public QDialog {
  Q_OBJECT
 public:
  COptionalFeaturesDlg(CKovDoc& document, Prompter& prompter, QWidget* parent = nullptr);

  // OK: a radio text over its limit is reported and keeps the dialog open
  // with the image unchanged; otherwise the controls are stored into the
  // image, the document is marked modified when a byte changed, and the
  // dialog closes. Cancel, Escape and the close box store nothing.
  void accept() override;

 private:
  void CreateControls();
  QComboBox* AddList(const QString& name, QRect rect, int listHeight);
  QCheckBox* AddCheck(const QString& text, QRect rect);
  void Load();
  // What OK stores. A list whose text names none of its items keeps the
  // value it was loaded with.
  OptionalFeatures Current() const;

  CKovDoc& document_;
  Prompter& prompter_;
  OptionalFeatures loaded_;

  TimeOutTimerSpin* timeOutTimer_ = nullptr;
  QComboBox* squelch_ = nullptr;
  QComboBox* voxGain_ = nullptr;
  QComboBox* voxDelay_ = nullptr;
  QComboBox* language_ = nullptr;
  QCheckBox* beep_ = nullptr;
  QCheckBox* scrambler_ = nullptr;
  QCheckBox* batterySave_ = nullptr;
  QCheckBox* voxFunction_ = nullptr;
  QCheckBox* voxInhibit_ = nullptr;
  QCheckBox* pttIdBegin_ = nullptr;
  QCheckBox* pttIdEnd_ = nullptr;
  QLineEdit* aniCode_ = nullptr;
  QLineEdit* radioName_ = nullptr;
};

}  // namespace korvel
