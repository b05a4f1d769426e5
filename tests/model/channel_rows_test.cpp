// Emptying, inserting and moving channels: texts and whole records travel
// together, and nothing outside the rows concerned changes.

#include "model/channel_rows.h"

#include <gtest/gtest.h>

#include <functional>

#include "test_files.h"

namespace korvel {
namespace {

// A document whose every channel is in use with its own receive frequency,
// its other bytes (unnamed bits included) random.
void LoadPattern(CKovDoc& document) {
  document.Image() = test::PatternImage(7);
  for (int row = 1; row <= kChannelCount; ++row) {
    const std::string mhz = FormatFrequency(14600000u + static_cast<std::uint32_t>(row) * 2500u);
    EncodeFrequency(mhz, ChannelRecordOf(document.Image(), row).data());
  }
  document.FillFromImage();
}

std::array<std::uint8_t, kRowSize> RecordBytes(const MemoryImage& image, int row) {
  std::array<std::uint8_t, kRowSize> bytes;
  const ConstChannelRecord record = ChannelRecordOf(image, row);
  std::copy(record.begin(), record.end(), bytes.begin());
  return bytes;
}

TEST(ChannelRows, ChannelsMoveWithTheirWholeRecords) {
  struct Case {
    const char* name;
    std::function<bool(CKovDoc&)> act;
    bool done;
    // Where each row's channel came from after the operation (0: emptied);
    // rows not listed keep their own channel.
    std::vector<std::pair<int, int>> from;
  };
  const Case cases[] = {
      {"move 5..7 up", [](CKovDoc& d) { return MoveChannels(d, 5, 7, -1); }, true, {{4, 5}, {5, 6}, {6, 7}, {7, 4}}},
      {"move 5 down", [](CKovDoc& d) { return MoveChannels(d, 5, 5, 1); }, true, {{5, 6}, {6, 5}}},
      {"move 1 up is refused", [](CKovDoc& d) { return MoveChannels(d, 1, 3, -1); }, false, {}},
      {"move 128 down is refused", [](CKovDoc& d) { return MoveChannels(d, 127, 128, 1); }, false, {}},
      {"empty 3..4", [](CKovDoc& d) { EmptyChannels(d, 3, 4); return true; }, true, {{3, 0}, {4, 0}}},
      {"insert at 126 with 128 empty",
       [](CKovDoc& d) { EmptyChannels(d, 128, 128); return InsertEmptyChannel(d, 126); }, true,
       {{126, 0}, {127, 126}, {128, 127}}},
      {"insert with 128 in use is refused", [](CKovDoc& d) { return InsertEmptyChannel(d, 1); }, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CKovDoc before;
    LoadPattern(before);
    ASSERT_TRUE(before.Channels().HasFrequency(128));
    CKovDoc after;
    LoadPattern(after);
    EXPECT_EQ(c.act(after), c.done);
    for (int row = 1; row <= kChannelCount; ++row) {
      int source = row;
      for (const auto& [to, from] : c.from) {
        if (to == row) source = from;
      }
      SCOPED_TRACE(row);
      if (source == 0) {
        EXPECT_TRUE(after.Channels().Row(row).AllEmpty());
        std::array<std::uint8_t, kRowSize> unused;
        unused.fill(0xFF);
        EXPECT_EQ(RecordBytes(after.Image(), row), unused);
      } else {
        EXPECT_EQ(after.Channels().Row(row), before.Channels().Row(source));
        EXPECT_EQ(RecordBytes(after.Image(), row), RecordBytes(before.Image(), source));
      }
    }
    EXPECT_TRUE(std::equal(after.Image().begin() + kSettingsOffset, after.Image().end(),
                           before.Image().begin() + kSettingsOffset));
  }
}

}  // namespace
}  // namespace korvel
