#pragma once
// Edit > Insert Standard Channels...: a ready-made set (PMR446, FRS,
// LPD433) or a series of channels (start, step, count, transmit offset), and
// the tones every channel of it gets. OK makes the set; a series that cannot
// be made is told through the prompter and the dialog stays open. Where the
// set goes is the command's.

#include <QDialog>

#include "model/channel_sets.h"
#include "model/prompter.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

namespace korvel {

class ChannelSetDialog : public QDialog {
  Q_OBJECT
 public:
  // row: the channel the set will start at, for the dialog's text.
  ChannelSetDialog(int row, Prompter& prompter, QWidget* parent = nullptr);

  void accept() override;
  // After OK: the set chosen, with its tones.
  const ChannelSet& Set() const { return set_; }

  QComboBox* SetList() const { return sets_; }
  QLineEdit* StartEdit() const { return start_; }
  QComboBox* StepList() const { return step_; }
  QSpinBox* CountBox() const { return count_; }
  QComboBox* ShiftList() const { return shift_; }
  QLineEdit* OffsetEdit() const { return offset_; }
  QComboBox* RxToneList() const { return rxTone_; }
  QComboBox* TxToneList() const { return txTone_; }

 private:
  QComboBox* AddToneList(const QString& name);
  bool SeriesChosen() const;
  void EnableSeries();

  Prompter& prompter_;
  ChannelSet set_;
  QComboBox* sets_ = nullptr;
  QGroupBox* series_ = nullptr;
  QLineEdit* start_ = nullptr;
  QComboBox* step_ = nullptr;
  QSpinBox* count_ = nullptr;
  QComboBox* shift_ = nullptr;
  QLineEdit* offset_ = nullptr;
  QComboBox* rxTone_ = nullptr;
  QComboBox* txTone_ = nullptr;
};

}  // namespace korvel
