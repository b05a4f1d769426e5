#include "print/printout.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "model/atomic_file.h"
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

Status SavePrintoutPdf(const std::string& path, const PdfPages& pages, const PrintSource& source, int first, int last) {
  // A target that cannot be replaced is refused before the work of painting.
  AtomicFile file;
  if (Status prepared = file.Prepare(path); !prepared) return prepared;
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    writer.setPageLayout(pages.layout);
    writer.setResolution(pages.resolution);
    writer.setTitle(pages.title);
    if (!PaintPrintout(writer, source, first, last))
      return Status::Failure(FailureKind::FileWrite, path + ": the PDF could not be written");
  }
  const QByteArray& bytes = pdf.data();
  return file.Commit(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
}

QString WritePrintoutPdf(const QString& path, const QString& pageSize, const PrintSource& source) {
  QPageSize size(QPageSize::A4);
  if (pageSize.compare(QStringLiteral("Letter"), Qt::CaseInsensitive) == 0) {
    size = QPageSize(QPageSize::Letter);
  } else if (pageSize.compare(QStringLiteral("A4"), Qt::CaseInsensitive) != 0) {
    return QStringLiteral("unknown page size \"%1\" (A4 or Letter)").arg(pageSize);
  }
  // A printer's usual unprintable border, so the layout's first column and
  // title stand off the paper's edge as they do on paper.
  const PdfPages pages{
      .layout = QPageLayout(size, QPageLayout::Portrait, QMarginsF(18, 18, 18, 18), QPageLayout::Point),
      .title = QStringLiteral("The Radio Settings")};
  // The model takes paths, and gives its messages, in UTF-8.
  const Status saved = SavePrintoutPdf(path.toStdString(), pages, source);
  return saved ? QString() : QString::fromStdString(saved.message);
}

}  // namespace korvel::print
