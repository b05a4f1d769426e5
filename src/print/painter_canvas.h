#pragma once
// The page canvas on a QPainter: twips scaled to the device's resolution,
// fonts of the printout's family stretched to the asked character width.

#include <QFont>

#include "print/page_canvas.h"

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

// "Times New Roman", or its metric-compatible substitute where it is not
// installed.
QFont PrintoutFont();

}  // namespace korvel::print
