// The printout's fonts on a PDF page as the printout paints it: the title
// font's average character width is W and the body font's 0.8 W, on either
// paper size. The average is the one the layout means, the letters and the
// space weighted by their frequency in English text.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include "offscreen_app.h"
#include "print/painter_canvas.h"
#include "print/print_layout.h"

namespace korvel::print {
namespace {

TEST(PainterCanvas, FontsHaveTheLayoutsAverageWidthOnEveryPaperSize) {
  test::EnsureApplication();
  // The family's own average, unstretched: 821/2048 of the height.
  QFont natural = PrintoutFont();
  natural.setPixelSize(2048);
  EXPECT_NEAR(AverageCharWidth(natural, nullptr), 821, 821 * 0.05);
  for (const auto size : {QPageSize::A4, QPageSize::Letter}) {
    SCOPED_TRACE(QPageSize(size).name().toStdString());
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setPageLayout(QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18)));
    writer.setResolution(1200);
    QPainter painter(&writer);
    const PageMeasures m = MeasuresOf({0, 0, writer.width(), writer.height(), 1200, 1200});
    PainterCanvas canvas(painter, 1200, 1200);
    for (const int wanted : {m.width, m.width * 4 / 5}) {
      canvas.SelectFont({m.height, wanted});
      EXPECT_NEAR(AverageCharWidth(painter.font(), &writer), wanted, wanted * 0.05) << "W " << m.width;
    }
  }
}

}  // namespace
}  // namespace korvel::print
