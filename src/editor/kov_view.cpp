#include "editor/kov_view.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

#include "editor/cell_editing.h"
#include "editor/cell_editors.h"
#include "editor/channel_grid.h"
#include "editor/dialog_units.h"
#include "editor/status_hints.h"
#include "editor/type_settings_bar.h"
#include "model/channel_columns.h"

namespace korvel {
namespace {

// The form in dialog units.
constexpr int kFormWidth = 488;
constexpr int kFormHeight = 256;

// Column widths as multiples of the grid's default column width.
constexpr double kWideFactor = 1.2;
constexpr double kLabelFactor = 0.4;
constexpr double kToneFactor = 0.9090909090909091;
constexpr double kOptionFactor = 0.7142857142857143;
constexpr double kBusyLockFactor = 0.8333333333333334;
// Sum of the factors of columns 0 to 10: the default width is chosen so that
// the eleven columns fill the grid's cell area.
constexpr double kWidthSum = kLabelFactor + 2 * kWideFactor + 2 * kToneFactor + 4 * kOptionFactor + 1.0 + kBusyLockFactor;

}  // namespace

struct CKovView::Parts {
  Parts(QWidget* view, ChannelTable& channels, Prompter& prompter)
      : units(FormFont()),
        bar(new TypeSettingsBar(channels, units, view)),
        channelLabel(new QLabel(QStringLiteral("Channel："), view)),
        grid(new ChannelGrid(channels, view)),
        editors(*grid),
        editing(new CellEditing(*grid, editors, channels, prompter, view)),
        hints(new StatusHintFilter(grid, view)) {}

  DialogUnits units;
  TypeSettingsBar* bar;
  QLabel* channelLabel;
  ChannelGrid* grid;
  CellEditors editors;
  CellEditing* editing;
  StatusHintFilter* hints;
};

CKovView::CKovView(CKovDoc& document, Prompter& prompter, QWidget* parent)
    : QWidget(parent), document_(document), prompter_(prompter) {
  setFont(FormFont());
  parts_ = new Parts(this, document_.Channels(), prompter_);
  Parts& p = *parts_;

  p.bar->setGeometry(p.units.Rect(7, 7, 453, 27));
  p.channelLabel->setGeometry(p.units.Rect(14, 34, 40, 8));
  p.grid->setGeometry(p.units.Rect(13, 49, 447, 185));
  p.grid->setObjectName(QStringLiteral("channelGrid"));
  p.grid->setAccessibleName(QStringLiteral("Channel"));
  const int cellArea = p.grid->width() - 2 * p.grid->frameWidth() -
                       p.grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, p.grid);
  p.grid->SetDefaultColWidth(static_cast<int>(cellArea / kWidthSum));
  setTabOrder(p.bar->ManualList(), p.grid);

  p.hints->Watch(this);
  connect(p.hints, &StatusHintFilter::hint, this, &CKovView::statusHint);
}

CKovView::~CKovView() {
  // The child widgets outlive this body; what listens to their signals and
  // events goes first.
  delete parts_->editing;
  delete parts_->hints;
  delete parts_;
}

QString CKovView::BandText() const { return parts_->bar->BandText(); }

QSize CKovView::FormSize() const { return parts_->units.Size(kFormWidth, kFormHeight); }

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
    const int w = grid.ColWidth(2);
    grid.SetColWidth(2, static_cast<int>(w * kWideFactor));
    grid.SetColWidth(1, static_cast<int>(w * kWideFactor));
    grid.SetColWidth(0, static_cast<int>(w * kLabelFactor));
    grid.SetColWidth(3, static_cast<int>(w * kToneFactor));
    grid.SetColWidth(4, static_cast<int>(w * kToneFactor));
    for (int column = 5; column <= 9; ++column) grid.SetColWidth(column, static_cast<int>(w * kOptionFactor));
    grid.SetColWidth(10, static_cast<int>(w * kBusyLockFactor));
    grid.SetColWidth(8, w);
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

void CKovView::OnEditData() { parts_->editing->EditData(); }

}  // namespace korvel
