#pragma once
// The printout painted on a printer or a PDF writer: one page of the layout
// per device page.

#include <QString>

#include "print/print_layout.h"

class QPagedPaintDevice;

namespace korvel::print {

// Paints pages first..last (within 1..5) onto device. False when painting
// could not start (the printer or the file refused).
bool PaintPrintout(QPagedPaintDevice& device, const PrintSource& source, int first = 1,
                   int last = kPageCount);

// Writes the five pages into a PDF file of the page size (A4, Letter);
// the reason on failure, empty on success.
QString WritePrintoutPdf(const QString& path, const QString& pageSize, const PrintSource& source);

}  // namespace korvel::print
