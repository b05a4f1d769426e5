#include "model/tone_table.h"

#include <gtest/gtest.h>

#include <string>

namespace korvel {
namespace {

const ToneTable& T() { return ToneTable::Instance(); }

// The combos' order: OFF, the CTCSS tones, then the DCS codes normal and
// inverted, the same sorted three-digit codes in each list.
TEST(ToneTable, HoldsTheNamesInTableOrder) {
  ASSERT_EQ(T().Count(), 261);
  EXPECT_EQ(T().Name(0), "OFF");
  EXPECT_EQ(T().Name(1), "67.0");
  EXPECT_EQ(T().Name(50), "254.1");
  EXPECT_EQ(T().Name(51), "D023N");
  EXPECT_EQ(T().Name(155), "D754N");
  EXPECT_EQ(T().Name(156), "D023I");
  EXPECT_EQ(T().Name(260), "D754I");
  for (int k = 0; k < 105; ++k) {
    const std::string& normal = T().Name(ToneTable::kFirstDcsNormal + k);
    const std::string& inverted = T().Name(ToneTable::kFirstDcsInverted + k);
    ASSERT_EQ(normal.size(), 5u);
    EXPECT_EQ(normal.substr(0, 4), inverted.substr(0, 4));
    EXPECT_EQ(normal.back(), 'N');
    EXPECT_EQ(inverted.back(), 'I');
    if (k > 0) {
      EXPECT_LT(T().Name(ToneTable::kFirstDcsNormal + k - 1), normal);
    }
  }
}

TEST(ToneTable, EveryNameEncodesAndDecodesToItself) {
  for (int i = 1; i < T().Count(); ++i) {
    const ToneCode code = T().Code(i);
    EXPECT_EQ(DecodeTone(code.high, code.low, true), T().Name(i)) << i;
    EXPECT_EQ(T().IndexOfCode(code), i);
  }
}

TEST(ToneTable, FindsNamesIgnoringCase) {
  EXPECT_EQ(T().IndexOf("d023n"), 51);
  EXPECT_EQ(T().IndexOf("off"), 0);
  for (const char* none : {"88.6", "88", ""}) EXPECT_EQ(T().IndexOf(none), std::nullopt) << none;
  EXPECT_EQ(T().Name(T().IndexOfPrefix("d7").value()), "D703N");
  EXPECT_EQ(T().IndexOfPrefix("1"), 13);    // 100.0
  EXPECT_EQ(T().IndexOfPrefix(""), 0);
  EXPECT_EQ(T().IndexOfPrefix("X"), std::nullopt);
}

}  // namespace
}  // namespace korvel
