// Round trips over many random records: what the radio holds must come back
// unchanged when nobody edits it.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>

#include "model/channel_record.h"

namespace korvel {
namespace {

using Record = std::array<std::uint8_t, 16>;

class RandomRecords {
 public:
  explicit RandomRecords(std::uint32_t seed) : rng_(seed) {}
  std::uint8_t Byte() { return static_cast<std::uint8_t>(rng_() & 0xFF); }
  std::uint8_t DecimalByte(int lowest = 0) {
    int v;
    do v = static_cast<int>(rng_() % 100);
    while (v < lowest);
    return WriteBcd(v);
  }
  int Below(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

  // A record whose frequencies and tones are all in decimal form (or empty),
  // with random bytes everywhere else.
  Record Decimal() {
    Record r;
    for (auto& b : r) b = Byte();
    for (int at : {0, 4}) {
      if (Below(4) == 0) {
        r[at + 3] = Below(2) ? 0x00 : 0xFF;
      } else {
        for (int i = 0; i < 3; ++i) r[at + i] = DecimalByte();
        r[at + 3] = DecimalByte(1);
      }
    }
    for (int at : {8, 10}) {
      // No tone, CTCSS (below 800.0), DCS normal or DCS inverted.
      const int kind = Below(4);
      r[at] = kind == 0 ? 0xFF : DecimalByte();
      const int high = kind == 0 ? 0xFF : kind == 1 ? std::min(DecimalByte(1), std::uint8_t{0x79})
                                     : kind == 2 ? 0x80 + Below(0x40) : 0xC0 + Below(0x3F);
      r[at + 1] = static_cast<std::uint8_t>(high);
    }
    r[12] = static_cast<std::uint8_t>(Below(3) * 2);
    return r;
  }

 private:
  std::mt19937 rng_;
};

bool InUse(const Record& r) {
  auto set = [](std::uint8_t b) { return b != 0x00 && b != 0xFF; };
  return set(r[3]) || set(r[7]);
}

TEST(ChannelRecordRoundTrip, DecimalRecordsInUseSurviveByteForByte) {
  RandomRecords gen(20261208);
  int checked = 0;
  for (int i = 0; i < 200000; ++i) {
    const Record original = gen.Decimal();
    if (!InUse(original)) continue;
    Record r = original;
    EncodeChannel(DecodeChannel(ConstChannelRecord(r)), ChannelRecord(r));
    // An empty frequency is always written back as FF FF FF FF.
    Record expected = original;
    for (int at : {0, 4})
      if (expected[at + 3] == 0x00 || expected[at + 3] == 0xFF)
        for (int k = 0; k < 4; ++k) expected[at + k] = 0xFF;
    // Busy-lock bits 2-1 both set read "Close", which is written as both clear.
    if ((expected[13] & 0x06) == 0x06) expected[13] &= static_cast<std::uint8_t>(~0x06);
    ASSERT_EQ(r, expected) << "record " << i;
    ++checked;
  }
  EXPECT_GT(checked, 100000);
}

// Whatever the radio held, its unnamed bits survive any number of saves,
// and a second save changes nothing more.
TEST(ChannelRecordRoundTrip, AnyRecordKeepsItsUnnamedBitsAndIsStableAfterOneRound) {
  RandomRecords gen(7);
  for (int i = 0; i < 20000; ++i) {
    Record r;
    for (auto& b : r) b = gen.Byte();
    const Record original = r;
    ChannelTexts once;
    for (int round = 0; round < 3; ++round) {
      const ChannelTexts texts = DecodeChannel(ConstChannelRecord(r));
      if (round == 1) once = texts;
      if (round == 2) {
        ASSERT_EQ(texts, once) << "record " << i;
      }
      EncodeChannel(texts, ChannelRecord(r));
      ASSERT_EQ(r[13] & 0b11000001, original[13] & 0b11000001) << "record " << i;
      ASSERT_EQ(r[14] & 0xFE, original[14] & 0xFE);
      ASSERT_EQ(r[15], original[15]);
    }
  }
}

}  // namespace
}  // namespace korvel
