#include "print/printout.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "print/painter_canvas.h"

namespace korvel::print {

bool PaintPrintout(QPagedPaintDevice& device, const PrintSource& source, int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, kPageCount);
  QPainter painter;
  if (!painter.begin(&device)) return false;
  for (int page = first; page <= last; ++page) {
    if (page > first && !device.newPage()) return false;
    // The painter's origin is the top left of the printable area.
    const PageGeometry geometry{0, 0, device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY()};
    painter.save();
    {
      PainterCanvas canvas(painter, geometry.dpiX, geometry.dpiY);
      DrawPage(page, geometry, source, canvas);
    }
    painter.restore();
  }
  return painter.end();
}

QString WritePrintoutPdf(const QString& path, const QString& pageSize, const PrintSource& source) {
  QPageSize size(QPageSize::A4);
  if (pageSize.compare(QStringLiteral("Letter"), Qt::CaseInsensitive) == 0) {
    size = QPageSize(QPageSize::Letter);
  } else if (pageSize.compare(QStringLiteral("A4"), Qt::CaseInsensitive) != 0) {
    return QStringLiteral("unknown page size \"%1\" (A4 or Letter)").arg(pageSize);
  }
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return path + QStringLiteral(": ") + file.errorString();
  QPdfWriter writer(&file);
  writer.setPageSize(size);
  // A printer's usual unprintable border, so the layout's first column and
  // title stand off the paper's edge as they do on paper.
  writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);
  writer.setTitle(QStringLiteral("The Radio Settings"));
  if (!PaintPrintout(writer, source)) return path + QStringLiteral(": the PDF could not be written");
  return {};
}

}  // namespace korvel::print
