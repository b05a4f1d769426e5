#pragma once
// What the page layout needs from a printer: a font made to a size, its line
// pitch, and text drawn at a point. Coordinates are twips (1/1440 inch) from
// the top left of the printable area, y growing upwards, so every line below
// the top has a negative y.

#include <string_view>

namespace korvel::print {

// A font of the printout's family: character height and average character
// width in twips.
struct FontSize {
  int height = 0;
  int width = 0;
  bool operator==(const FontSize&) const = default;
};

class PageCanvas {
 public:
  virtual ~PageCanvas() = default;
  // Makes the font current for the following texts.
  virtual void SelectFont(const FontSize& size) = 0;
  // Height plus external leading of the current font, in twips.
  virtual int LinePitch() const = 0;
  // Text in the current font, its top left corner at (x, y).
  virtual void DrawText(int x, int y, std::string_view text) = 0;
};

}  // namespace korvel::print
