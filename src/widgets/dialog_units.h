#pragma once
// Dialog units to pixels, as form templates are laid out: 4 horizontal units
// per average character width and 8 vertical units per character height of
// the form's font.

#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

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

// Group boxes of the forms: the title on the frame line, the controls
// inside the frame, as the templates place them.
inline QString FormGroupBoxStyle() {
  return QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }");
}

// Entries the grid's choosers and the type settings bar's lists show before
// their drop-down list scrolls.
inline constexpr int kListEntriesShown = 20;

// Entries a drop-down list shows at once when its template height, list
// included, is listHeight pixels; at least three.
inline int VisibleEntries(const QComboBox& list, int listHeight) {
  const int entry = list.fontMetrics().height() + 4;
  const int rows = (listHeight - list.sizeHint().height()) / entry;
  return rows < 3 ? 3 : rows;
}

}  // namespace korvel
