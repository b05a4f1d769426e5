#include "editor/channel_grid.h"

#include <QAbstractButton>
#include <algorithm>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>

#include "widgets/dialog_units.h"

namespace korvel {

ChannelGrid::ChannelGrid(ChannelTable& channels, QWidget* parent)
    : QTableView(parent), model_(channels) {
  setFont(FormFamilyFont(9.75));  // the cell font: Times New Roman 9.75 pt
  setModel(&model_);
  setEditTriggers(NoEditTriggers);
  // Cells one by one, whole rows by the row header, with Shift and Ctrl.
  setSelectionMode(ExtendedSelection);
  setSelectionBehavior(SelectItems);
  setTabKeyNavigation(false);  // Tab moves to the next control of the form
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setTextElideMode(Qt::ElideNone);
  }
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionsClickable(true);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

  // The top-left corner is grid cell (0, 0) and shows its text like a header.
  corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  if (corner_ != nullptr) {
    corner_->setEnabled(false);
    corner_->installEventFilter(this);
  }

  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ChannelGrid::scrolled);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &ChannelGrid::scrolled);
  setCurrentIndex(model_.index(0, 0));
}

void ChannelGrid::SetCurrent(int row, int column) {
  if (row < 1 || row >= kRows || column < 1 || column >= kColumns) return;
  setCurrentIndex(model_.index(row - 1, column - 1));
}

void ChannelGrid::SetTextMatrix(int row, int column, const QString& text) {
  model_.SetText(row, column, text);
  if (row == 0 && column == 0 && corner_ != nullptr) {
    corner_->setAccessibleName(text);
    corner_->update();
  }
}

std::vector<int> ChannelGrid::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row() + 1);
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::vector<int> ChannelGrid::RowsWithSelectedCells() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row() + 1);
  if (rows.empty()) rows.push_back(row_);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

QRect ChannelGrid::SelectedCells() const {
  QRect cells;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
    cells |= QRect(index.column() + 1, index.row() + 1, 1, 1);
  }
  return cells.isEmpty() ? QRect(column_, row_, 1, 1) : cells;
}

void ChannelGrid::SelectRows(int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, kRows - 1);
  if (first > last) return;
  SetCurrent(first, column_);
  const QItemSelection rows(model_.index(first - 1, 0), model_.index(last - 1, kColumns - 2));
  selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

QRect ChannelGrid::CellRect() const { return visualRect(model_.index(row_ - 1, column_ - 1)); }

int ChannelGrid::ColWidth(int column) const {
  if (column == 0) return verticalHeader()->width();
  return columnWidth(column - 1);
}

void ChannelGrid::SetColWidth(int column, int width) {
  if (column == 0) {
    verticalHeader()->setFixedWidth(width);
    updateGeometries();
  } else if (column > 0 && column < kColumns) {
    setColumnWidth(column - 1, width);
  }
}

void ChannelGrid::SetColAlignment(int column, Qt::Alignment alignment) {
  model_.SetColumnAlignment(column, alignment);
}

int ChannelGrid::DefaultColWidth() const { return horizontalHeader()->defaultSectionSize(); }

void ChannelGrid::SetDefaultColWidth(int width) { horizontalHeader()->setDefaultSectionSize(width); }

int ChannelGrid::HeaderWidth(const QString& text) const {
  const QHeaderView* header = horizontalHeader();
  header->ensurePolished();
  QStyleOptionHeader option;
  option.initFrom(header);
  option.orientation = Qt::Horizontal;
  option.text = text;
  QFont bold = header->font();
  bold.setBold(true);
  option.fontMetrics = QFontMetrics(bold);
  return header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header).width();
}

int ChannelGrid::HeightShowing(int rows) const {
  return 2 * frameWidth() + horizontalHeader()->sizeHint().height() + rows * verticalHeader()->defaultSectionSize();
}

void ChannelGrid::Refresh() {
  viewport()->update();
  horizontalHeader()->viewport()->update();
  verticalHeader()->viewport()->update();
}

void ChannelGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  const int row = current.isValid() ? current.row() + 1 : row_;
  const int column = current.isValid() ? current.column() + 1 : column_;
  const bool moved = row != row_ || column != column_;
  // Leaving is announced before the base class scrolls to the new cell, so
  // an open edit is committed before a scroll could hide its editor.
  if (moved) emit leaveCell();
  QTableView::currentChanged(current, previous);
  if (moved) {
    row_ = row;
    column_ = column;
    emit enterCell();
  }
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const bool printable = text.size() == 1 && text.at(0).unicode() >= 0x20 &&
                         text.at(0).unicode() != 0x7F &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (printable) {
    // A typed character is the grid's key press; it never starts the item
    // view's keyboard search.
    emit keyPressed(text.at(0));
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void ChannelGrid::mousePressEvent(QMouseEvent* event) {
  QTableView::mousePressEvent(event);
  emit mouseDown(event->button());
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  emit dblClick();
}

bool ChannelGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == corner_ && event->type() == QEvent::Paint) {
    PaintCorner();
    return true;
  }
  return QTableView::eventFilter(watched, event);
}

void ChannelGrid::PaintCorner() {
  QStyleOptionHeader option;
  option.initFrom(corner_);
  option.state = QStyle::State_Enabled | QStyle::State_Raised;
  option.palette.setCurrentColorGroup(QPalette::Active);  // drawn like the other headers
  option.rect = corner_->rect();
  option.position = QStyleOptionHeader::OnlyOneSection;
  option.text = model_.Text(0, 0);
  option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  option.fontMetrics = horizontalHeader()->fontMetrics();
  QPainter painter(corner_);
  painter.setFont(horizontalHeader()->font());
  style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
}

}  // namespace korvel
