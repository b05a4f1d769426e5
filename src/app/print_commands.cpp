#include "app/print_commands.h"

#include <QAction>
#include <QFile>
#include <QPaintEngine>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>

#include "editor/kov_view.h"
#include "print/printout.h"

namespace korvel {

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
    first = printer.fromPage();
    last = printer.toPage();
  }
  // The grid's texts and the bar's selections, uncollected edits included.
  const print::PrintSource source{document_.Image(), document_.Channels(),
                                  print::BarTextsOf(document_.Channels().Type(), document_.Image())};
  // A print to a PDF file is saved as every file is, whole or not at all,
  // in the paper, orientation and margins the print dialog chose. A preview
  // paints on pictures, never on the file.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
      printer.paintEngine()->type() != QPaintEngine::Picture) {
    const print::PdfPages pages{printer.pageLayout(), printer.resolution(), printer.docName()};
    const Status saved =
        print::SavePrintoutPdf(QFile::encodeName(printer.outputFileName()).toStdString(), pages, source, first, last);
    if (!saved) prompter_.Tell(saved.message);
    return static_cast<bool>(saved);
  }
  if (print::PaintPrintout(printer, source, first, last)) return true;
  prompter_.Tell("The printout could not be made: the printer did not start.");
  return false;
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
