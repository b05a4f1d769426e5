#include "print/painter_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace korvel::print {
namespace {

constexpr double kTwipsPerInch = 1440.0;

// How often the lower-case letters a to z and the space occur in English
// text, per thousand characters.
constexpr std::array<int, 27> kEnglishFrequency = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6,  35, 20, 56,
                                                   56, 17, 4,  49, 56, 71,  31, 10, 18, 3,  18, 2,  166};

}  // namespace

double AverageCharWidth(const QFont& font, const QPaintDevice* device) {
  const QFontMetricsF metrics(font, device);
  double sum = 0;
  for (std::size_t i = 0; i < kEnglishFrequency.size(); ++i) {
    const QChar c = i + 1 < kEnglishFrequency.size() ? QChar(u'a' + static_cast<char16_t>(i)) : QChar(u' ');
    sum += kEnglishFrequency[i] * metrics.horizontalAdvance(c);
  }
  return sum / 1000.0;
}

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
  // The width asked for is the frequency-weighted average, so the stretch is
  // reckoned from that average measured on the font as it comes, whatever
  // font the system gives. Qt's averageCharWidth is the mean over every
  // glyph (0.57 em for this family against 0.40 weighted): a stretch from it
  // would print every line 30% too narrow.
  const double natural = AverageCharWidth(font, painter_.device());
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
