#include "print/print_layout.h"

#include <array>

#include "model/channel_columns.h"

namespace korvel::print {
namespace {

constexpr int kTwipsPerInch = 1440;

// x of grid columns 0..10, in units of W.
constexpr std::array<int, ChannelTable::kColumns + 1> kColumnX = {1, 5, 14, 24, 32, 40, 46, 55, 64, 74, 82};

// y - 1.2 x pitch, truncated toward zero, without floating point.
int LineAndAFifthBelow(int y, int pitch) { return (y * 10 - pitch * 12) / 10; }

std::string HeadingLine() {
  return std::string(kColumnHeaders[0]) + "   " + "Rx(MHz)" + "   " + "Tx(MHz)" + "    " +
         std::string(kColumnHeaders[3]) + "  " + std::string(kColumnHeaders[4]) + "  " + "W/N" +
         "    " + "Scan Add" + "   " + "Tx Power" + "   " + "Opt Signal" + "   " + "PTTID" + "   " +
         "Busy";
}

// Draws the summary from y0 and returns the y one line pitch below it.
int DrawSummary(int y0, int pitch, int w, const PrintSource& source, PageCanvas& canvas) {
  std::array<int, 8> lineY{};
  lineY[0] = y0;
  lineY[1] = LineAndAFifthBelow(y0, pitch);
  for (std::size_t line = 2; line < lineY.size(); ++line) lineY[line] = lineY[line - 1] - pitch;
  for (const SummaryItem& item : SettingsSummary(source.image, source.bar)) {
    canvas.DrawText(item.column * w, lineY[static_cast<std::size_t>(item.line)], item.text);
  }
  return lineY.back() - pitch;
}

}  // namespace

PageMeasures MeasuresOf(const PageGeometry& page) {
  PageMeasures m;
  if (page.dpiX <= 0 || page.dpiY <= 0) return m;
  m.height = ((page.bottom - page.top) / 45) * kTwipsPerInch / page.dpiY;
  m.width = ((page.right - page.left) * kTwipsPerInch / page.dpiX - 900) / 80;
  return m;
}

PageContent PageContentOf(int page) {
  switch (page) {
    case 1: return {"The Radio Settings", 1, 22};
    case 2: return {"The Second Page", 23, 54};
    case 3: return {"The Third Page", 55, 86};
    case 4: return {"The Fourth Pages", 87, 118};
    case 5: return {"The Fifth Pages", 119, 128};
    default: return {};
  }
}

void DrawPage(int page, const PageGeometry& geometry, const PrintSource& source, PageCanvas& canvas) {
  const PageContent content = PageContentOf(page);
  if (content.firstRow == 0) return;
  const PageMeasures m = MeasuresOf(geometry);
  const int w = m.width;

  canvas.SelectFont({m.height, w});
  const int titlePitch = canvas.LinePitch();
  const int titleX = (geometry.right / 2) * kTwipsPerInch / geometry.dpiX - 18 * w;
  canvas.DrawText(titleX, titlePitch / -2, content.title);

  int y = titlePitch / -2 - titlePitch;
  canvas.SelectFont({m.height, w * 4 / 5});
  const int pitch = canvas.LinePitch();
  if (page == 1) y = DrawSummary(y, pitch, w, source, canvas);

  canvas.DrawText(5 * w, y, "Channel Setting:");
  y = LineAndAFifthBelow(y, pitch);
  canvas.DrawText(w, y, HeadingLine());
  for (int row = content.firstRow; row <= content.lastRow; ++row) {
    y -= pitch;
    canvas.DrawText(kColumnX[0] * w, y, std::to_string(row));
    for (int column = 1; column <= ChannelTable::kColumns; ++column) {
      canvas.DrawText(kColumnX[static_cast<std::size_t>(column)] * w, y, source.channels.Cell(row, column) + " ");
    }
  }
}

}  // namespace korvel::print
