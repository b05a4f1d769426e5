#include "editor/channel_grid_model.h"

namespace korvel {

ChannelGridModel::ChannelGridModel(ChannelTable& channels, QObject* parent)
    : QAbstractTableModel(parent), channels_(channels) {
  alignment_.fill(Qt::AlignLeft | Qt::AlignVCenter);
  shown_ = channels_.Subscribe([this](const ChannelChange& change) { Show(change); });
}

QString ChannelGridModel::Text(int row, int column) const {
  if (row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) return {};
  if (row == 0) return headers_[static_cast<std::size_t>(column)];
  if (column == 0) return labels_[static_cast<std::size_t>(row)];
  return QString::fromStdString(channels_.Cell(row, column));
}

void ChannelGridModel::SetText(int row, int column, const QString& text) {
  if (row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) return;
  if (row == 0) {
    headers_[static_cast<std::size_t>(column)] = text;
    if (column == 0) {
      emit headerDataChanged(Qt::Vertical, 0, 0);  // the corner
    } else {
      emit headerDataChanged(Qt::Horizontal, column - 1, column - 1);
    }
    return;
  }
  if (column == 0) {
    labels_[static_cast<std::size_t>(row)] = text;
    emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    return;
  }
  channels_.SetCell(row, column, text.toStdString());
}

void ChannelGridModel::SetColumnAlignment(int column, Qt::Alignment alignment) {
  if (column < 0 || column >= kGridColumns) return;
  alignment_[static_cast<std::size_t>(column)] = alignment;
  if (column > 0) {
    emit dataChanged(index(0, column - 1), index(rowCount() - 1, column - 1), {Qt::TextAlignmentRole});
  }
}

void ChannelGridModel::Show(const ChannelChange& change) {
  switch (change.kind) {
    case ChannelChange::Kind::Cell: {
      const QModelIndex cell = index(change.row - 1, change.column - 1);
      emit dataChanged(cell, cell, {Qt::DisplayRole});
      break;
    }
    case ChannelChange::Kind::Filled:
      // Every cell changes, but the grid's current cell stays where it was.
      emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
      break;
    case ChannelChange::Kind::Type:
      break;
  }
}

int ChannelGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ChannelTable::kRows;
}

int ChannelGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ChannelTable::kColumns;
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row() + 1;
  const int column = index.column() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return Text(row, column);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(alignment_[static_cast<std::size_t>(column)]);
    default:
      return {};
  }
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const bool horizontal = orientation == Qt::Horizontal;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return horizontal ? Text(0, section + 1) : Text(section + 1, 0);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(
          alignment_[static_cast<std::size_t>(horizontal ? section + 1 : 0)]);
    default:
      return {};
  }
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex& index) const {
  // Cells are edited by the view's own cell editors, never by the item view.
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace korvel
