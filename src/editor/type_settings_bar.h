#pragma once
// The type settings bar: the group box "Type Setting" with the model, band,
// Tx power rank and manual setting lists above the channel grid. It shows
// the bar values of the document's working copy, writes every change of a
// list into them, and loads them again when they change elsewhere (the fill).

#include <QGroupBox>
#include <QString>

#include "model/channel_table.h"

class QComboBox;
class QLabel;

namespace korvel {

class DialogUnits;

class TypeSettingsBar : public QGroupBox {
  Q_OBJECT
 public:
  // Lays its labels and lists out at their form positions (dialog units of
  // the form font); the group box itself is placed by the caller.
  TypeSettingsBar(ChannelTable& channels, const DialogUnits& units, QWidget* parent = nullptr);

  // The selected indices, as written into the working copy. Text typed into
  // the manual setting field counts as the entry it equals, otherwise as
  // none (which stores "Close").
  TypeSettings Current() const;

  // The text of the selected band entry, whatever the field shows (the
  // frequency check reads the band index from the document).
  QString BandText() const;

  QComboBox* ModelList() const { return model_; }
  QComboBox* BandList() const { return band_; }
  QComboBox* RankList() const { return rank_; }
  QComboBox* ManualList() const { return manual_; }

 private:
  QComboBox* AddList(const QString& label, QRect labelRect, QRect listRect);
  // Typing into the list's field selects the first entry beginning with the
  // typed text and completes the field to it.
  void SelectByPrefix(QComboBox* list);
  // Bar load: selects the entries of the given settings.
  void Load(const TypeSettings& type);
  void Store();
  void Follow(const ChannelChange& change);

  ChannelTable& channels_;
  QComboBox* model_ = nullptr;
  QComboBox* band_ = nullptr;
  QComboBox* rank_ = nullptr;
  QComboBox* manual_ = nullptr;
  bool loading_ = false;
  Subscription followed_;
};

}  // namespace korvel
