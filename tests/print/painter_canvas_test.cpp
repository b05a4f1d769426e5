// The printout's fonts painted on a PDF page of either paper size: the title
// font's average character width is W and the body font's 0.8 W, averaged
// with the letters weighted by their frequency in English text.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "offscreen_app.h"
#include "print/painter_canvas.h"
#include "print/print_layout.h"

namespace korvel::print {
namespace {

TEST(PainterCanvas, FontsHaveTheLayoutsAverageWidthsOnEveryPaperSize) {
  test::EnsureApplication();
  QFont natural = PrintoutFont();  // the family's own average: 821/2048 of the height
  natural.setPixelSize(2048);
  EXPECT_NEAR(AverageCharWidth(natural, nullptr), 821, 41);
  for (const auto size : {QPageSize::A4, QPageSize::Letter}) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setPageSize(QPageSize(size));
    writer.setResolution(1200);
    QPainter painter(&writer);
    const PageMeasures m = MeasuresOf({0, 0, writer.width(), writer.height(), 1200, 1200});
    PainterCanvas canvas(painter, 1200, 1200);
    for (const int wanted : {m.width, m.width * 4 / 5}) {
      canvas.SelectFont({m.height, wanted});
      EXPECT_NEAR(AverageCharWidth(painter.font(), &writer), wanted, wanted * 0.05) << size << ", W " << m.width;
    }
  }
}

}  // namespace
}  // namespace korvel::print
