#include "editor/kov_view.h"

#include <QApplication>
#include <QComboBox>
#include <algorithm>
#include <cmath>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>

#include "editor/cell_editing.h"
#include "editor/channel_edit_commands.h"
#include "editor/cell_editors.h"
#include "editor/channel_grid.h"
#include "widgets/dialog_units.h"
#include "editor/status_hints.h"
#include "editor/type_settings_bar.h"
#include "model/channel_columns.h"
#include "model/document_history.h"

namespace korvel {
namespace {

// The form in dialog units.
constexpr int kFormWidth = 488;
constexpr int kFormHeight = 256;
// The grid's place on it; a larger form gives the grid the extra room.
constexpr int kGridLeft = 13;
constexpr int kGridTop = 49;
constexpr int kGridWidth = 447;
constexpr int kGridHeight = 185;

// Column widths as multiples of the grid's default column width.
constexpr double kWideFactor = 1.2;
constexpr double kLabelFactor = 0.4;
constexpr double kToneFactor = 0.9090909090909091;
constexpr double kOptionFactor = 0.7142857142857143;
constexpr double kBusyLockFactor = 0.8333333333333334;
// Columns 0 to 10: the label column, the frequencies, the tones, the
// options (" Opt Signal" the default width itself), BusyLock.
constexpr double kColumnFactors[ChannelGrid::kColumns] = {
    kLabelFactor,  kWideFactor,   kWideFactor,   kToneFactor, kToneFactor,    kOptionFactor,
    kOptionFactor, kOptionFactor, 1.0,           kOptionFactor, kBusyLockFactor};
// Their sum: the default width is chosen so that the eleven columns fill the
// grid's cell area.
constexpr double kWidthSum = [] {
  double sum = 0;
  for (const double factor : kColumnFactors) sum += factor;
  return sum;
}();
// The label column's widest row label.
constexpr const char* kWidestLabel = "128";

}  // namespace

struct CKovView::Parts {
  Parts(QWidget* view, CKovDoc& document, Prompter& prompter)
      : Parts(view, document, document.Channels(), prompter) {}
  Parts(QWidget* view, CKovDoc& document, ChannelTable& channels, Prompter& prompter)
      : units(FormFont()),
        bar(new TypeSettingsBar(channels, units, view)),
        channelLabel(new QLabel(QStringLiteral("Channel："), view)),
        grid(new ChannelGrid(channels, view)),
        editors(*grid),
        editing(new CellEditing(*grid, editors, channels, prompter, view)),
        hints(new StatusHintFilter(grid, view)),
        commands(new ChannelEditCommands(document, *grid, editors, *editing, document.History(), prompter, view)) {}

  DialogUnits units;
  TypeSettingsBar* bar;
  QLabel* channelLabel;
  ChannelGrid* grid;
  CellEditors editors;
  CellEditing* editing;
  StatusHintFilter* hints;
  ChannelEditCommands* commands;
};

CKovView::CKovView(CKovDoc& document, Prompter& prompter, QWidget* parent)
    : QWidget(parent), document_(document), prompter_(prompter) {
  setFont(FormFont());
  parts_ = new Parts(this, document_, prompter_);
  Parts& p = *parts_;

  p.bar->setGeometry(p.units.Rect(7, 7, 453, 27));
  p.channelLabel->setGeometry(p.units.Rect(14, 34, 40, 8));
  p.grid->setGeometry(p.units.Rect(kGridLeft, kGridTop, kGridWidth, kGridHeight));
  p.grid->setObjectName(QStringLiteral("channelGrid"));
  p.grid->setAccessibleName(QStringLiteral("Channel"));
  LayOutColumns();
  setTabOrder(p.bar->ManualList(), p.grid);
  // Choosing rows by their header leaves any cell editor.
  connect(p.grid->verticalHeader(), &QHeaderView::sectionPressed, this, [this] {
    parts_->editing->Commit();
    parts_->grid->setFocus();
  });

  p.hints->Watch(this);
  connect(p.hints, &StatusHintFilter::hint, this, &CKovView::statusHint);

  // Everything one event did to the working copy is one undo step: the step
  // an edit opens closes when control returns to the event loop.
  document_.History().SetOpenStepHandler([this] {
    QTimer::singleShot(0, this, [this] { document_.History().CloseStep(); });
  });
}

CKovView::~CKovView() {
  // The child widgets outlive this body; what listens to their signals and
  // events goes first.
  document_.History().SetOpenStepHandler({});
  delete parts_->commands;
  delete parts_->editing;
  delete parts_->hints;
  delete parts_;
}

QString CKovView::BandText() const { return parts_->bar->BandText(); }

QSize CKovView::FormSize() const { return parts_->units.Size(kFormWidth, kFormHeight); }

QSize CKovView::SizeShowing(int rows) const {
  const ChannelGrid& grid = *parts_->grid;
  // The least default width w at which every column, w times its factor
  // cut to whole pixels, holds its heading.
  int w = 1;
  for (int column = 0; column < ChannelGrid::kColumns; ++column) {
    int need = grid.HeaderWidth(QString::fromUtf8(kColumnHeaders[static_cast<std::size_t>(column)]));
    if (column == 0) need = std::max(need, grid.HeaderWidth(QString::fromLatin1(kWidestLabel)));
    const double factor = kColumnFactors[column];
    w = std::max(w, static_cast<int>(std::ceil(need / factor)));
    while (static_cast<int>(w * factor) < need) ++w;
  }
  // LayOutColumns' sum the other way round, one pixel over for the cut.
  const int width = static_cast<int>(std::ceil(w * kWidthSum)) + 1 + 2 * grid.frameWidth() +
                    grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
  const QRect least = parts_->units.Rect(kGridLeft, kGridTop, kGridWidth, kGridHeight);
  return FormSize() + QSize(std::max(0, width - least.width()), std::max(0, grid.HeightShowing(rows) - least.height()));
}

void CKovView::OnInitialUpdate() {
  Parts& p = *parts_;
  ChannelGrid& grid = *p.grid;
  if (!p.editors.Created()) {
    p.editors.Create(font());
    p.hints->Watch(grid.viewport());
    p.editing->WatchKeys(this);
    for (int column = 0; column < ChannelGrid::kColumns; ++column) {
      grid.SetColAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
    }
    LayOutColumns();
  }
  p.editors.FrequencyBox()->clear();
  p.editors.HideAll();

  // The grid and the bar show what the fill puts into the working copy.
  document_.FillFromImage();

  for (int column = 0; column < ChannelGrid::kColumns; ++column) {
    grid.SetTextMatrix(0, column, QString::fromUtf8(kColumnHeaders[static_cast<std::size_t>(column)]));
  }
  for (int row = 1; row < ChannelGrid::kRows; ++row) grid.SetTextMatrix(row, 0, QString::number(row));
  // The keyboard starts on channel 1's receive frequency, so that arrow keys
  // and PageDown move in the grid and never change a list of the bar.
  grid.SetCurrent(1, 1);
  grid.scrollToTop();
  // The current cell's editor shows the new content when it next opens.
  p.editing->LoadEditor();
  grid.setFocus();
}

void CKovView::CommitEdit() { parts_->editing->Commit(); }

void CKovView::ShowFilledImage() {
  parts_->editors.HideAll();
  document_.FillFromImage();
  parts_->editing->LoadEditor();
}

QWidget* CKovView::Grid() const { return parts_->grid; }


ChannelEditCommands& CKovView::EditCommands() { return *parts_->commands; }

void CKovView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Parts& p = *parts_;
  const QRect least = p.units.Rect(kGridLeft, kGridTop, kGridWidth, kGridHeight);
  const QSize form = FormSize();
  // The margins right of and below the grid stay as the form has them.
  const int width = std::max(least.width(), this->width() - (form.width() - least.width()));
  const int height = std::max(least.height(), this->height() - (form.height() - least.height()));
  if (p.grid->size() == QSize(width, height)) return;
  p.grid->setGeometry(least.x(), least.y(), width, height);
  LayOutColumns();
}

void CKovView::LayOutColumns() {
  Parts& p = *parts_;
  ChannelGrid& grid = *p.grid;
  const int cellArea =
      grid.width() - 2 * grid.frameWidth() - grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
  const int w = static_cast<int>(cellArea / kWidthSum);
  grid.SetDefaultColWidth(w);
  if (!p.editors.Created()) return;  // the columns take their widths with the editors
  for (int column = 0; column < ChannelGrid::kColumns; ++column) {
    grid.SetColWidth(column, static_cast<int>(w * kColumnFactors[column]));
  }
  // An open editor follows its cell.
  p.editors.HideAll();
}

void CKovView::OnEditData() { parts_->editing->EditData(); }

void CKovView::HoldEdits(bool held) {
  parts_->editing->SetHeld(held);
  parts_->bar->setEnabled(!held);
}

namespace {

// The part of the view a widget belongs to: its ancestor that is a direct
// child of the view.
QWidget* PaneOf(QWidget* widget, const QWidget* view) {
  while (widget && widget->parentWidget() != view) widget = widget->parentWidget();
  return widget;
}

bool TakesFocus(const QWidget* widget) {
  return widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus);
}

}  // namespace

void CKovView::MovePane(bool forward) {
  QWidget* focus = QApplication::focusWidget();
  if (!focus || !isAncestorOf(focus)) focus = this;
  QWidget* here = PaneOf(focus, this);
  for (QWidget* next = forward ? focus->nextInFocusChain() : focus->previousInFocusChain(); next && next != focus;
       next = forward ? next->nextInFocusChain() : next->previousInFocusChain()) {
    if (!isAncestorOf(next) || !TakesFocus(next)) continue;
    if (PaneOf(next, this) == here) continue;
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return;
  }
}

}  // namespace korvel
