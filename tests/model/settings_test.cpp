#include <gtest/gtest.h>

#include "model/channel_table.h"
#include "model/optional_features.h"
#include "model/settings_block.h"

namespace korvel {
namespace {

using namespace settings;

// The defaults the printout shows are checked in its summary of a New image
// (print_summary_test); here what it does not show.
TEST(NewImage, HoldsTheDefaultsAndFFElsewhere) {
  const MemoryImage image = NewImage();
  for (std::size_t i = 0; i < 0x800; ++i) ASSERT_EQ(image[i], 0xFF) << i;
  EXPECT_EQ(LoadTypeSettings(image).manual, 0);
  const OptionalFeatures f = LoadOptionalFeatures(image);
  EXPECT_EQ(kLanguageTexts[f.language], "English");
  EXPECT_EQ(f.aniCode, "");
  EXPECT_EQ(f.radioName, "");
  EXPECT_EQ(image[kRadioType], 0xFF);
  for (std::size_t i : {0x800, 0x809, 0x80C, 0x80F, 0x81C, 0x81E, 0x83F}) EXPECT_EQ(image[i], 0xFF) << i;
}

TEST(TypeSettingsBar, OutOfRangeValuesLoadAsFirstEntry) {
  MemoryImage image = NewImage();
  for (std::uint8_t band : {0xED, 0xF8, 0x00}) {
    image[kFrequencyField] = band;
    EXPECT_EQ(LoadTypeSettings(image).band, 0) << int(band);
  }
  image[kFrequencyField] = 0xF7;
  EXPECT_EQ(LoadTypeSettings(image).band, 9);
  for (std::uint8_t model : {0x37, 0x3B}) {
    image[kModel] = model;
    EXPECT_EQ(LoadTypeSettings(image).model, 0);
  }
  image[kModel] = 0x3A;
  EXPECT_EQ(LoadTypeSettings(image).model, 2);
  image[kTxPowerRank] = 10;
  EXPECT_EQ(LoadTypeSettings(image).txPowerRank, 0);
  image[kFunctionFlags] = 0x7F;
  EXPECT_EQ(LoadTypeSettings(image).manual, 1);
}

// A collection writes the bar's values and the fixed byte into any image;
// every other settings byte stays as it was.
TEST(ChannelTableCollection, WritesTheBarFieldsAndTheFixedByteOnly) {
  MemoryImage image;
  for (std::size_t i = 0; i < kImageSize; ++i) image[i] = static_cast<std::uint8_t>(i * 37 + 11);
  image[kFunctionFlags] |= 0x80;
  const MemoryImage before = image;
  ChannelTable table;
  table.Fill(image);
  table.SetType(TypeSettings{2, 7, 3, 1});
  table.Collect(image);
  EXPECT_EQ(image[kModel], 0x3A);
  EXPECT_EQ(image[kFrequencyField], 0xF5);
  EXPECT_EQ(image[kTxPowerRank], 3);
  EXPECT_EQ(image[kFunctionFlags], before[kFunctionFlags] & 0x7F);  // "Close" clears bit 7 only
  EXPECT_EQ(image[kFixedA8], 0xA8);
  for (std::size_t i = 0x800; i < kImageSize; ++i) {
    if (i == kModel || i == kFrequencyField || i == kTxPowerRank || i == kFunctionFlags || i == kFixedA8) continue;
    ASSERT_EQ(image[i], before[i]) << std::hex << i;
  }
}

TEST(RadioText, ReadsSkippingBytesOutsideTheFieldSet) {
  MemoryImage image = NewImage();
  const std::uint8_t ani[] = {0x31, 0x32, 0x33, 0x34, 0x35};  // fifth digit at position 4
  std::copy(std::begin(ani), std::end(ani), image.begin() + kAniCode);
  EXPECT_EQ(ReadRadioText(image, RadioTextKind::AniCode), "1234");
  image[kAniCode + 9] = 'C';
  image[kAniCode + 10] = 'c';  // lower case only in positions 0..5
  EXPECT_EQ(ReadRadioText(image, RadioTextKind::AniCode), "1234C");
  const std::uint8_t name[] = {'A', ' ', 'B'};
  std::copy(std::begin(name), std::end(name), image.begin() + kRadioName);
  EXPECT_EQ(ReadRadioText(image, RadioTextKind::RadioName), "AB");
  image[kRadioName + 3] = 'x';
  image[kRadioName + 8] = 'y';
  image[kRadioName + 9] = 'Z';
  image[kRadioName + 10] = '7';
  EXPECT_EQ(ReadRadioText(image, RadioTextKind::RadioName), "ABXZ7");
}

TEST(RadioText, WritesUpperCaseDigitsZeroForOthersAndFFAfter) {
  MemoryImage image = NewImage();
  WriteRadioText(image, RadioTextKind::AniCode, "12ab");
  const std::uint8_t expected[] = {0x31, 0x32, 0x41, 0x42};
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(image[kAniCode + i], i < 4 ? expected[i] : 0xFF) << i;
  WriteRadioText(image, RadioTextKind::AniCode, "G");
  EXPECT_EQ(image[kAniCode], '0');
  WriteRadioText(image, RadioTextKind::RadioName, "a b.z");
  EXPECT_EQ(std::string(image.begin() + kRadioName, image.begin() + kRadioName + 5), "A0B0Z");
  EXPECT_EQ(image[kRadioName + 5], 0xFF);
}

}  // namespace
}  // namespace korvel
