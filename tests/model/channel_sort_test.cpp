// Sorting channels: the order each column's values give, stable in both
// directions, empty channels last, and every channel moved with its whole
// record.

#include "model/channel_sort.h"

#include <gtest/gtest.h>

#include <numeric>

#include "model/channel_columns.h"
#include "sample_channels.h"
#include "test_files.h"

namespace korvel {
namespace {

using test::Texts;

// Rows 1..6; 3 is empty, 5 transmit-only, 2 receive-only. Compared as text,
// or in the order of the option lists, most columns would sort otherwise.
const Texts kRows[] = {
    {"146.52000", "146.52000", "D023N", "88.5", "Wide", "Yes", "High", "DTMF", "ON", "Close"},
    {"145.50000", "", "OFF", "OFF", "Narrow", "No", "Low", "FleetSync", "OFF", "Carrier"},
    {},
    {"446.00625", "446.00625", "67.0", "D754I", "Narrow", "Yes", "High", "None", "ON", "QT/DQT"},
    {"", "146.00000", "OFF", "D023I", "Wide", "No", "Low", "DTMF", "OFF", "Close"},
    {"145.50000", "145.50000", "D023I", "100.0", "Wide", "Yes", "Low", "None", "OFF", "Close"},
};

// A document holding kRows over random record bytes (unnamed bits
// included); rows 7..128 empty texts over random records.
void Load(CKovDoc& document) {
  document.Image() = test::PatternImage(11);
  document.FillFromImage();
  for (int row = 1; row <= kChannelCount; ++row)
    document.Channels().SetRow(row, {row <= 6 ? kRows[row - 1] : Texts{}});
}

TEST(ChannelSort, ChannelsMoveWholeInTheOrderOfTheirValues) {
  using D = SortDirection;
  struct Case {
    const char* column;
    D direction;
    std::vector<int> rows;  // empty: all channels
    std::vector<int> from;  // the rows the sorted rows' channels came from
  };
  // Sorting all channels: the five in use, then the empty row 3, then 7..128.
  const Case cases[] = {
      {"Receive", D::Ascending, {}, {2, 6, 1, 4, 5, 3}},
      {"receive", D::Descending, {}, {4, 1, 2, 6, 5, 3}},
      {"Transmit", D::Ascending, {}, {6, 5, 1, 4, 2, 3}},
      {"Rx Tone", D::Ascending, {}, {2, 5, 4, 1, 6, 3}},
      {"Tx Tone", D::Descending, {}, {4, 5, 6, 1, 2, 3}},
      {"W/N", D::Ascending, {}, {2, 4, 1, 5, 6, 3}},
      {"Scan", D::Descending, {}, {1, 4, 6, 2, 5, 3}},
      {"Tx Power", D::Descending, {}, {1, 4, 2, 5, 6, 3}},
      {"Opt Signal", D::Descending, {}, {2, 1, 5, 4, 6, 3}},
      {"PTTID", D::Ascending, {}, {2, 5, 6, 1, 4, 3}},
      {"BusyLock", D::Ascending, {}, {1, 5, 6, 2, 4, 3}},
      // The selected rows only, among themselves.
      {"Receive", D::Ascending, {2, 3, 4, 6}, {2, 6, 4, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.column) + (c.direction == D::Ascending ? " up" : " down"));
    CKovDoc before, after;
    Load(before);
    Load(after);
    const std::optional<int> column = SortColumnNamed(c.column);
    ASSERT_TRUE(column);
    std::vector<int> rows = c.rows;
    if (rows.empty()) {
      EXPECT_TRUE(SortAllChannels(after, *column, c.direction));
      rows.resize(c.from.size());
      std::iota(rows.begin(), rows.end(), 1);
    } else {
      EXPECT_TRUE(SortChannels(after, rows, *column, c.direction));
    }
    for (int row = 1; row <= kChannelCount; ++row) {
      const auto at = std::find(rows.begin(), rows.end(), row);
      const int source = at == rows.end() ? row : c.from[static_cast<std::size_t>(at - rows.begin())];
      SCOPED_TRACE(row);
      EXPECT_EQ(after.Channels().Row(row), before.Channels().Row(source));
      const ConstChannelRecord moved = ChannelRecordOf(after.Image(), row);
      const ConstChannelRecord original = ChannelRecordOf(before.Image(), source);
      EXPECT_TRUE(std::equal(moved.begin(), moved.end(), original.begin()));
    }
  }
}

}  // namespace
}  // namespace korvel
