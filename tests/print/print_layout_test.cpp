// Where the printout puts its texts: a recording canvas stands in for the
// printer, with fixed line pitches, on an A4-like page at 600 dpi.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/kov_document.h"
#include "print/print_layout.h"

namespace korvel::print {
namespace {

struct Drawn {
  FontSize font;
  int x;
  int y;
  std::string text;
};

// Title font pitch 414 twips, body font pitch 413 (odd, so 1.2 x L truncates).
class RecordingCanvas : public PageCanvas {
 public:
  void SelectFont(const FontSize& size) override { font_ = size; }
  int LinePitch() const override { return font_.width == kTitleWidth ? 414 : 413; }
  void DrawText(int x, int y, std::string_view text) override { drawn.push_back({font_, x, y, std::string(text)}); }

  static constexpr int kTitleWidth = 132;
  std::vector<Drawn> drawn;

 private:
  FontSize font_;
};

// 4800 x 6750 dots at 600 dpi: H = 150 x 1440 / 600 = 360 twips,
// W = (11520 - 900) / 80 = 132 twips.
constexpr PageGeometry kPage{0, 0, 4800, 6750, 600, 600};

std::vector<Drawn> Draw(int page, const CKovDoc& document) {
  RecordingCanvas canvas;
  const PrintSource source{document.Image(), document.Channels(),
                           BarTextsOf(document.Channels().Type(), document.Image())};
  DrawPage(page, kPage, source, canvas);
  return canvas.drawn;
}

const Drawn* Find(const std::vector<Drawn>& drawn, const std::string& text) {
  for (const Drawn& d : drawn)
    if (d.text == text) return &d;
  return nullptr;
}

class PrintLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    document.OnNewDocument();
    document.FillFromImage();
    document.Channels().SetCell(1, 1, "136.02500");
    document.Channels().SetCell(22, 10, "Open");
    document.Channels().SetCell(128, 3, "67.0");
  }
  CKovDoc document;
};

TEST(PrintMeasures, FollowThePageSizeAndResolution) {
  struct Row {
    const char* name;
    PageGeometry page;
    int height;
    int width;
  };
  const Row rows[] = {
      {"300 dpi, page height truncated to 45ths", {0, 0, 2400, 3160, 300, 300}, 336, 132},
      {"different resolutions across and down", {0, 0, 4800, 3375, 600, 300}, 360, 132},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const PageMeasures m = MeasuresOf(row.page);
    EXPECT_EQ(m.height, row.height);
    EXPECT_EQ(m.width, row.width);
  }
}

TEST_F(PrintLayout, PlacesTextsByTheMeasuresAndLinePitches) {
  const FontSize title{360, 132};
  const FontSize body{360, 105};
  struct Row {
    int page;
    std::string text;
    FontSize font;
    int x;
    int y;
  };
  const Row rows[] = {
      // The title 18 W left of the middle, half a title pitch down.
      {1, "The Radio Settings", title, 5760 - 18 * 132, -207},
      {1, "Function Setting:", body, 5 * 132, -621},
      // y1 = -621 - 1.2 x 413 = -1116.6, truncated toward zero.
      {1, "Type:   KR - 100", body, 2 * 132, -1116},
      {1, "Frequency Field:240 - 260MHz", body, 25 * 132, -1116},
      {1, "Scrambler Activation:Enable", body, 50 * 132, -1116 - 2 * 413},
      {1, "End of Tx:  ", body, 35 * 132, -1116 - 5 * 413},
      {1, "Vox inhibit on recieve:Disable", body, 2 * 132, -1116 - 6 * 413},
      {1, "Channel Setting:", body, 5 * 132, -1116 - 7 * 413},
      {1, "CH   Rx(MHz)   Tx(MHz)    Rx Tone  Tx Tone  W/N    Scan Add   Tx Power   Opt Signal   PTTID   Busy",
       body, 132, -4502},
      {1, "1", body, 132, -4502 - 413},
      {1, "136.02500 ", body, 5 * 132, -4502 - 413},
      {1, "Open ", body, 82 * 132, -4502 - 22 * 413},
      {2, "The Second Page", title, 3384, -207},
      {2, "Channel Setting:", body, 5 * 132, -621},
      {2, "23", body, 132, -1116 - 413},
      {5, "128", body, 132, -1116 - 10 * 413},
      {5, "67.0 ", body, 24 * 132, -1116 - 10 * 413},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("page " + std::to_string(row.page) + ": " + row.text);
    const std::vector<Drawn> drawn = Draw(row.page, document);
    const Drawn* d = Find(drawn, row.text);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->font, row.font);
    EXPECT_EQ(d->x, row.x);
    EXPECT_EQ(d->y, row.y);
  }
}

TEST_F(PrintLayout, EachPageHasItsTitleAndRowRange) {
  struct Row {
    int page;
    const char* title;
    int first;
    int last;
    bool summary;
  };
  const Row rows[] = {
      {1, "The Radio Settings", 1, 22, true},  {2, "The Second Page", 23, 54, false},
      {3, "The Third Page", 55, 86, false},    {4, "The Fourth Pages", 87, 118, false},
      {5, "The Fifth Pages", 119, 128, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.title);
    const std::vector<Drawn> drawn = Draw(row.page, document);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front().text, row.title);
    // Channel numbers are the texts in column 0 (x = W) below the heading.
    std::vector<int> numbers;
    for (const Drawn& d : drawn)
      if (d.x == 132 && !d.text.empty() && std::isdigit(static_cast<unsigned char>(d.text[0])))
        numbers.push_back(std::stoi(d.text));
    ASSERT_EQ(numbers.size(), static_cast<std::size_t>(row.last - row.first + 1));
    EXPECT_EQ(numbers.front(), row.first);
    EXPECT_EQ(numbers.back(), row.last);
    EXPECT_EQ(Find(drawn, "Function Setting:") != nullptr, row.summary);
    // Eleven texts per channel line, one heading line, one "Channel Setting:".
    const std::size_t summary = row.summary ? 18 : 0;
    EXPECT_EQ(drawn.size(), 1 + summary + 2 + 11 * numbers.size());
  }
}

}  // namespace
}  // namespace korvel::print
