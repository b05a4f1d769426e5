#pragma once
// The printout painted on a printer or a PDF writer: one page of the layout
// per device page.

#include <QPageLayout>
#include <QString>
#include <string>

#include "model/status.h"
#include "print/print_layout.h"

class QPagedPaintDevice;

namespace korvel::print {

// Paints pages first..last (within 1..5) onto device. False when painting
// could not start or go on (the printer or the file refused).
bool PaintPrintout(QPagedPaintDevice& device, const PrintSource& source, int first = 1,
                   int last = kPageCount);

// How a PDF's pages are laid out: paper, orientation and margins, the
// resolution painted at (dots per inch), the document's title.
struct PdfPages {
  QPageLayout layout;
  int resolution = 1200;
  QString title;
};

// Paints pages first..last into a PDF in memory and saves it to path as
// every file is saved (AtomicFile): whole or not at all, the target checked
// before anything is painted. The failure names the file and the reason.
Status SavePrintoutPdf(const std::string& path, const PdfPages& pages, const PrintSource& source, int first = 1,
                       int last = kPageCount);

// Saves the five pages as a PDF of the page size (A4, Letter) with a
// printer's usual border; the reason on failure, empty on success.
QString WritePrintoutPdf(const QString& path, const QString& pageSize, const PrintSource& source);

}  // namespace korvel::print
