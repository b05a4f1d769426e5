#pragma once
// The channel grid: 129 x 11 cells, row 0 and column 0 fixed (the header
// sections), cells addressed by grid row and column. It offers what the cell
// editors laid over it need: the current cell, the cell rectangle, column
// widths, and signals for entering and leaving a cell, typed characters,
// mouse button down, double click and scrolling.

#include <QRect>
#include <QString>
#include <QTableView>
#include <vector>

#include "editor/channel_grid_model.h"

class QAbstractButton;

namespace korvel {

class ChannelGrid : public QTableView {
  Q_OBJECT
 public:
  static constexpr int kRows = ChannelGridModel::kGridRows;
  static constexpr int kColumns = ChannelGridModel::kGridColumns;

  // Shows the cells of channels, the document's working copy.
  explicit ChannelGrid(ChannelTable& channels, QWidget* parent = nullptr);

  ChannelGridModel& Model() { return model_; }
  const ChannelGridModel& Model() const { return model_; }

  // Current cell in grid coordinates (never the fixed row or column).
  int Row() const { return row_; }
  int Col() const { return column_; }
  void SetRow(int row) { SetCurrent(row, column_); }
  void SetCol(int column) { SetCurrent(row_, column); }
  // Moves the current cell; out-of-range or fixed positions are ignored.
  void SetCurrent(int row, int column);
  // End of the selection: the current cell.
  int RowSel() const { return row_; }
  int ColSel() const { return column_; }

  // Channel rows (1..128) selected whole, in order: by the row header, with
  // Shift and Ctrl, or Select All.
  std::vector<int> SelectedRows() const;
  // The rows (1..128) that hold a selected cell, in order, each once; the
  // current row when nothing is selected.
  std::vector<int> RowsWithSelectedCells() const;
  // The selected cells' bounding rectangle in grid coordinates (x: column,
  // y: row); the current cell when nothing is selected.
  QRect SelectedCells() const;
  // Selects rows first..last whole and makes the first current.
  void SelectRows(int first, int last);

  QString Text() const { return TextMatrix(row_, column_); }
  void SetText(const QString& text) { SetTextMatrix(row_, column_, text); }
  QString TextMatrix(int row, int column) const { return model_.Text(row, column); }
  void SetTextMatrix(int row, int column, const QString& text);

  // Rectangle of the current cell in the coordinates of viewport(), where
  // the cell editors live.
  QRect CellRect() const;
  int ColWidth(int column) const;
  void SetColWidth(int column, int width);
  void SetColAlignment(int column, Qt::Alignment alignment);
  // The width a column has before anyone sets it.
  int DefaultColWidth() const;
  void SetDefaultColWidth(int width);
  // The width a header section needs to show text in full (as the header
  // measures its sections, in bold).
  int HeaderWidth(const QString& text) const;
  // The height that shows the header row and rows channel rows in full.
  int HeightShowing(int rows) const;
  void Refresh();

 signals:
  void leaveCell();  // the current cell is about to change; Row()/Col() still the old one
  void enterCell();  // the current cell has changed
  void keyPressed(QChar character);
  void mouseDown(Qt::MouseButton button);
  void dblClick();
  void scrolled();

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PaintCorner();

  ChannelGridModel model_;
  QAbstractButton* corner_ = nullptr;
  int row_ = 1;
  int column_ = 1;
};

}  // namespace korvel
