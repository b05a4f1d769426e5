#pragma once
// Dialog units to pixels, as form templates are laid out: 4 horizontal units
// per average character width and 8 vertical units per character height of
// the form's font.

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace korvel {

// A font of the form family, with the metric-compatible substitute where the
// first family is not installed, and a font with the full-width punctuation
// of the form's texts ("Channel：") for the glyphs the others lack.
inline QFont FormFamilyFont(double pointSize) {
  QFont font;
  font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                    QStringLiteral("WenQuanYi Micro Hei")});
  font.setPointSizeF(pointSize);
  font.setWeight(QFont::Normal);
  return font;
}

// The font of the main form: Times New Roman 8 pt.
inline QFont FormFont() { return FormFamilyFont(8.0); }

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    baseX_ = metrics.averageCharWidth();
    baseY_ = metrics.height();
  }

  // Rounded to the nearest pixel, as the platform's dialog manager does.
  int X(int units) const { return Scale(units, baseX_, 4); }
  int Y(int units) const { return Scale(units, baseY_, 8); }
  QPoint Point(int x, int y) const { return {X(x), Y(y)}; }
  QSize Size(int width, int height) const { return {X(width), Y(height)}; }
  QRect Rect(int x, int y, int width, int height) const {
    return {Point(x, y), Size(width, height)};
  }

 private:
  static int Scale(int units, int base, int per) { return (units * base + per / 2) / per; }
  int baseX_ = 0;
  int baseY_ = 0;
};

}  // namespace korvel
