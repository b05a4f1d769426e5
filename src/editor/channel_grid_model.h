#pragma once
// Item model of the channel grid: the header row, the label column and the
// 128 x 10 channel cells of the document's working copy, shown as they are
// (no copy). Model row r-1 and column c-1 are grid row r and column c; the
// fixed row 0 and column 0 are the header sections.

#include <QAbstractTableModel>
#include <QString>
#include <array>

#include "model/channel_table.h"

namespace korvel {

class ChannelGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kGridRows = ChannelTable::kRows + 1;        // 129, row 0 fixed
  static constexpr int kGridColumns = ChannelTable::kColumns + 1;  // 11, column 0 fixed

  explicit ChannelGridModel(ChannelTable& channels, QObject* parent = nullptr);

  // Text of any grid cell, fixed row and column included.
  QString Text(int row, int column) const;
  // A channel cell goes into the working copy as it is, without the rules.
  void SetText(int row, int column, const QString& text);
  void SetColumnAlignment(int column, Qt::Alignment alignment);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  void Show(const ChannelChange& change);

  ChannelTable& channels_;
  Subscription shown_;
  std::array<QString, kGridColumns> headers_;  // row 0
  std::array<QString, kGridRows> labels_;      // column 0 (labels_[0] unused: the corner)
  std::array<Qt::Alignment, kGridColumns> alignment_;
};

}  // namespace korvel
