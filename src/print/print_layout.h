#pragma once
// The five pages of the printout: titles, the settings summary on page 1 and
// the channel listing, placed by integer arithmetic on the page size, the
// printer's resolution and the fonts' line pitches.

#include <string>

#include "model/channel_table.h"
#include "model/memory_image.h"
#include "print/page_canvas.h"
#include "print/print_summary.h"

namespace korvel::print {

inline constexpr int kPageCount = 5;

// The printable area in device units and the device's resolution.
struct PageGeometry {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int dpiX = 0;
  int dpiY = 0;
};

// The measures of a page in twips: font height H and character width W.
struct PageMeasures {
  int height = 0;
  int width = 0;
};
PageMeasures MeasuresOf(const PageGeometry& page);

// What is printed: the image (settings block and code areas), the channel
// texts as the grid shows them, and the bar's selections.
struct PrintSource {
  const MemoryImage& image;
  const ChannelTable& channels;
  BarTexts bar;
};

// Title and grid rows of a page 1..5.
struct PageContent {
  std::string title;
  int firstRow = 0;
  int lastRow = 0;
};
PageContent PageContentOf(int page);

// Draws page 1..5 onto the canvas: the title font first, then the body font.
void DrawPage(int page, const PageGeometry& geometry, const PrintSource& source, PageCanvas& canvas);

}  // namespace korvel::print
