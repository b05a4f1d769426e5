#include "app/print_commands.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QPaintEngine>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>
#include <algorithm>
#include <utility>

#include "app/file_chooser.h"
#include "editor/kov_view.h"
#include "print/printout.h"

namespace korvel {
namespace {

// Page Up and Page Down, and the arrow keys, turn the preview's pages by
// what it shows at once: two pages side by side, else one. They press the
// preview's own Next page and Previous page buttons, so its page number
// follows and the first and last pages stop them.
void AddPageKeys(QDialog& preview, QPrintPreviewWidget& pages) {
  QAction* next = nullptr;
  QAction* previous = nullptr;
  // Found by their texts: the program loads no translation of Qt's own.
  for (QAction* action : preview.findChildren<QAction*>()) {
    if (action->text() == QLatin1String("Next page")) next = action;
    if (action->text() == QLatin1String("Previous page")) previous = action;
  }
  if (next == nullptr || previous == nullptr) return;
  const std::pair<Qt::Key, QAction*> keys[] = {{Qt::Key_PageDown, next}, {Qt::Key_Down, next},
                                               {Qt::Key_Right, next},    {Qt::Key_PageUp, previous},
                                               {Qt::Key_Up, previous},   {Qt::Key_Left, previous}};
  for (const auto& [key, button] : keys) {
    auto* shortcut = new QShortcut(QKeySequence(key), &preview);
    QObject::connect(shortcut, &QShortcut::activated, &pages, [&pages, button = button] {
      const int step = pages.viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1;
      for (int i = 0; i < step; ++i) button->trigger();
    });
  }
}

}  // namespace

PrintCommands::PrintCommands(CKovDoc& document, Prompter& prompter, CKovView& view, QWidget& window)
    : QObject(&window), document_(document), prompter_(prompter), view_(view), window_(window) {}

PrintCommands::~PrintCommands() = default;

QPrinter& PrintCommands::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

bool PrintCommands::PrintTo(QPrinter& printer) {
  int first = 1;
  int last = print::kPageCount;
  if (printer.printRange() == QPrinter::PageRange) {
    first = std::max(printer.fromPage(), 1);
    last = std::min(printer.toPage(), print::kPageCount);
  }
  const bool preview = printer.paintEngine()->type() == QPaintEngine::Picture;
  const int pages = std::max(0, last - first + 1);
  const QString counted = pages == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pages);
  // The grid's texts and the bar's selections, uncollected edits included.
  const print::PrintSource source{document_.Image(), document_.Channels(),
                                  print::BarTextsOf(document_.Channels().Type(), document_.Image())};
  // A print to a PDF file is saved as every file is, whole or not at all,
  // in the paper, orientation and margins the print dialog chose. A preview
  // paints on pictures, never on the file.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() && !preview) {
    const print::PdfPages layout{printer.pageLayout(), printer.resolution(), printer.docName()};
    const Status saved =
        print::SavePrintoutPdf(NativePath(printer.outputFileName()), layout, source, first, last);
    if (!saved) {
      prompter_.Tell(saved.message);
      return false;
    }
    emit outcome(QStringLiteral("Printed %1 to %2").arg(counted, QFileInfo(printer.outputFileName()).fileName()));
    return true;
  }
  if (!print::PaintPrintout(printer, source, first, last)) {
    prompter_.Tell("The printout could not be made: the printer did not start.");
    return false;
  }
  // A preview's pages are only shown; a printer has them in its queue.
  if (!preview) {
    const QString name = printer.printerName().isEmpty() ? QStringLiteral("the printer") : printer.printerName();
    emit outcome(QStringLiteral("Sent %1 to %2").arg(counted, name));
  }
  return true;
}

void PrintCommands::Print() {
  // An edit still open in a cell belongs to what is printed.
  view_.CommitEdit();
  QPrinter& printer = Printer();
  QPrintDialog dialog(&printer, &window_);
  dialog.setMinMax(1, print::kPageCount);
  dialog.setFromTo(1, print::kPageCount);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

void PrintCommands::Preview() {
  view_.CommitEdit();
  QPrinter& printer = Printer();
  // The preview shows every page, whatever range the last print chose.
  printer.setPrintRange(QPrinter::AllPages);
  QPrintPreviewDialog preview(&printer, &window_);
  preview.setWindowTitle(QStringLiteral("Print Preview"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { PrintTo(*target); });
  // Two pages side by side, the whole of both in view.
  if (auto* pages = preview.findChild<QPrintPreviewWidget*>()) {
    pages->setViewMode(QPrintPreviewWidget::FacingPagesView);
    pages->fitInView();
    AddPageKeys(preview, *pages);
  }
  // The preview's own Close beside its Print.
  if (auto* tools = preview.findChild<QToolBar*>()) {
    QAction* close = tools->addAction(QStringLiteral("Close"));
    close->setStatusTip(QStringLiteral("Close print preview mode"));
    connect(close, &QAction::triggered, &preview, &QDialog::reject);
  }
  // Large enough for two legible pages, whatever the size of the form.
  const QRect screen = window_.screen()->availableGeometry();
  preview.resize(screen.size() * 3 / 4);
  preview.move(screen.center() - preview.rect().center());
  preview.exec();
}

void PrintCommands::Setup() {
  QPageSetupDialog setup(&Printer(), &window_);
  setup.exec();
}

}  // namespace korvel
