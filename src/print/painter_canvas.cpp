#include "print/painter_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace korvel::print {
namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

QFont PrintoutFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
  font.setStyleHint(QFont::Serif);
  font.setWeight(QFont::Normal);
  return font;
}

PainterCanvas::PainterCanvas(QPainter& painter, int dpiX, int dpiY) : painter_(painter) {
  // One twip is dpi / 1440 device units; y is negated where text is drawn.
  painter_.setTransform(QTransform::fromScale(dpiX / kTwipsPerInch, dpiY / kTwipsPerInch));
}

void PainterCanvas::SelectFont(const FontSize& size) {
  QFont font = PrintoutFont();
  // Pixel sizes are taken in the painter's twips and scaled with them.
  font.setPixelSize(std::max(1, size.height));
  const int natural = QFontMetrics(font, painter_.device()).averageCharWidth();
  if (size.width > 0 && natural > 0) {
    const int stretch = static_cast<int>(std::lround(100.0 * size.width / natural));
    font.setStretch(std::clamp(stretch, 1, 4000));
  }
  font_ = font;
  painter_.setFont(font_);
}

int PainterCanvas::LinePitch() const { return QFontMetrics(font_, painter_.device()).lineSpacing(); }

void PainterCanvas::DrawText(int x, int y, std::string_view text) {
  // Top-aligned at the point: Qt draws at the baseline.
  const int ascent = QFontMetrics(font_, painter_.device()).ascent();
  painter_.drawText(QPoint(x, -y + ascent), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace korvel::print
