#pragma once
// The page canvas on a QPainter: twips scaled to the device's resolution,
// fonts of the printout's family stretched to the asked character width.

#include <QFont>

#include "print/page_canvas.h"

class QPaintDevice;
class QPainter;

namespace korvel::print {

class PainterCanvas : public PageCanvas {
 public:
  // Sets the painter's scale for the page; the fonts live as long as the
  // canvas, one page.
  PainterCanvas(QPainter& painter, int dpiX, int dpiY);

  void SelectFont(const FontSize& size) override;
  int LinePitch() const override;
  void DrawText(int x, int y, std::string_view text) override;

 private:
  QPainter& painter_;
  QFont font_;
};

// The average character width of the font on the device, as the layout's
// widths mean it: the widths of the lower-case letters and the space, each
// weighted by how often it occurs in English text. For "Times New Roman"
// and its substitute that is 0.40 of the character height.
double AverageCharWidth(const QFont& font, const QPaintDevice* device);

// "Times New Roman", or its metric-compatible substitute where it is not
// installed.
QFont PrintoutFont();

}  // namespace korvel::print
