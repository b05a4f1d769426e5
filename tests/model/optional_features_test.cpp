// What the optional features dialog and `korvel-cli features` read from and
// store into the settings block, over whole images.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "model/optional_features.h"
#include "model/settings_block.h"
#include "test_files.h"

namespace korvel {
namespace {

using namespace settings;

// Each field from its byte, out-of-range values as the first item; each
// flag from its own bit.
TEST(OptionalFeaturesLoad, ReadsEachFieldAndShowsOutOfRangeAsTheFirstItem) {
  using F = OptionalFeatures;
  struct Row {
    const char* name;
    std::size_t offset;
    std::uint8_t byte;
    int F::*field;
    bool F::*flag;
    int expected;
  };
  const Row rows[] = {
      {"squelch 9", kSquelchLevel, 9, &F::squelchLevel, nullptr, 9},
      {"squelch 10", kSquelchLevel, 10, &F::squelchLevel, nullptr, 0},
      {"timer 9", kTimeOutTimer, 9, &F::timeOutTimer, nullptr, 9},
      {"timer 10", kTimeOutTimer, 10, &F::timeOutTimer, nullptr, 0},
      {"gain 10", kVoxGain, 10, &F::voxGain, nullptr, 10},
      {"gain 11", kVoxGain, 11, &F::voxGain, nullptr, 0},
      {"delay 5", kVoxDelay, 5, &F::voxDelay, nullptr, 5},
      {"delay 6", kVoxDelay, 6, &F::voxDelay, nullptr, 0},
      {"language bit 1 clear", kFunctionFlags, 0x01, &F::language, nullptr, 2},
      {"language bits 1 and 0", kFunctionFlags, 0x03, &F::language, nullptr, 0},
      {"language bit 1 only", kFunctionFlags, 0xFE, &F::language, nullptr, 1},
      {"beep", kFunctionFlags, 0x40, nullptr, &F::beep, true},
      {"no beep", kFunctionFlags, 0xBF, nullptr, &F::beep, false},
      {"scrambler", kFunctionFlags, 0x10, nullptr, &F::scrambler, true},
      {"no scrambler", kFunctionFlags, 0xEF, nullptr, &F::scrambler, false},
      {"battery save", kFunctionFlags, 0x04, nullptr, &F::batterySave, true},
      {"no battery save", kFunctionFlags, 0xFB, nullptr, &F::batterySave, false},
      {"begin of Tx", kTransmitFlags, 0x20, nullptr, &F::pttIdBegin, true},
      {"no begin of Tx", kTransmitFlags, 0xDF, nullptr, &F::pttIdBegin, false},
      {"end of Tx", kTransmitFlags, 0x10, nullptr, &F::pttIdEnd, true},
      {"no end of Tx", kTransmitFlags, 0xEF, nullptr, &F::pttIdEnd, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MemoryImage image = NewImage();
    image[row.offset] = row.byte;
    const F f = LoadOptionalFeatures(image);
    EXPECT_EQ(row.field ? f.*row.field : int(f.*row.flag), row.expected);
  }
}

// Each control changed alone on a New image whose VOX flags, unused bits of
// 0x810 and fixed bytes are off their values: the control's byte changes,
// the VOX flags clear, the fixed bytes are rewritten, nothing else moves.
TEST(OptionalFeaturesStore, WritesWhatEachControlOwnsAndNothingElse) {
  struct Row {
    const char* name;
    std::function<void(OptionalFeatures&)> change;
    std::size_t offset;
    std::uint8_t expected;
  };
  const Row rows[] = {
      {"unchanged", [](OptionalFeatures&) {}, kSquelchLevel, 4},
      {"squelch", [](OptionalFeatures& f) { f.squelchLevel = 7; }, kSquelchLevel, 7},
      {"squelch outside the list", [](OptionalFeatures& f) { f.squelchLevel = 12; }, kSquelchLevel, 0},
      {"timer", [](OptionalFeatures& f) { f.timeOutTimer = 9; }, kTimeOutTimer, 9},
      {"gain", [](OptionalFeatures& f) { f.voxGain = 0; }, kVoxGain, 0},
      {"delay", [](OptionalFeatures& f) { f.voxDelay = 5; }, kVoxDelay, 5},
      {"beep off", [](OptionalFeatures& f) { f.beep = false; }, kFunctionFlags, 0x96},
      {"scrambler off", [](OptionalFeatures& f) { f.scrambler = false; }, kFunctionFlags, 0xC6},
      {"battery save off", [](OptionalFeatures& f) { f.batterySave = false; }, kFunctionFlags, 0xD2},
      {"Chinese", [](OptionalFeatures& f) { f.language = 0; }, kFunctionFlags, 0xD7},
      {"Off", [](OptionalFeatures& f) { f.language = 2; }, kFunctionFlags, 0xD4},
      {"begin of Tx", [](OptionalFeatures& f) { f.pttIdBegin = true; }, kTransmitFlags, 0x2F},
      {"end of Tx", [](OptionalFeatures& f) { f.pttIdEnd = true; }, kTransmitFlags, 0x1F},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MemoryImage image = NewImage();
    image[kTransmitFlags] = 0xCF;
    image[kFixed4] = 0x99;
    image[kFixed0] = 0x99;
    MemoryImage expected = image;
    expected[kTransmitFlags] = 0x0F;
    expected[kFixed4] = 4;
    expected[kFixed0] = 0;
    expected[row.offset] = row.expected;
    OptionalFeatures f = LoadOptionalFeatures(image);
    row.change(f);
    StoreOptionalFeatures(f, image);
    EXPECT_EQ(image, expected);
  }
}

// Loaded and stored unchanged, any image keeps every bit the dialog does not
// own; its own values come back as they were shown.
TEST(OptionalFeaturesStore, CarriesEveryBitOfAnyImageItDoesNotOwn) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    MemoryImage image = test::PatternImage(seed);
    const MemoryImage before = image;
    StoreOptionalFeatures(LoadOptionalFeatures(image), image);
    for (std::size_t i = 0; i < kAniCode; ++i) {
      if (i == kTransmitFlags || i == kFixed4 || i == kFixed0) continue;
      if (i == kSquelchLevel || i == kTimeOutTimer || i == kVoxGain || i == kVoxDelay) continue;
      ASSERT_EQ(image[i], before[i]) << std::hex << i;
    }
    EXPECT_EQ(image[kTransmitFlags], before[kTransmitFlags] & 0x3F);
    EXPECT_EQ(image[kSquelchLevel], before[kSquelchLevel] <= 9 ? before[kSquelchLevel] : 0);
    EXPECT_EQ(image[kVoxGain], before[kVoxGain] <= 10 ? before[kVoxGain] : 0);
    EXPECT_EQ(LoadOptionalFeatures(image), LoadOptionalFeatures(before));
  }
}

TEST(SettingsLists, AnItemIsNamedWithoutRegardToCase) {
  struct Row {
    std::span<const std::string_view> items;
    const char* text;
    std::optional<int> expected;
  };
  const Row rows[] = {
      {kTimeOutTimerTexts, "OFF", 0},    {kTimeOutTimerTexts, "off", 0},
      {kTimeOutTimerTexts, "270", 9},    {kTimeOutTimerTexts, "45", std::nullopt},
      {kTimeOutTimerTexts, "300", std::nullopt}, {kTimeOutTimerTexts, "", std::nullopt},
      {kLanguageTexts, "english", 1},    {kLanguageTexts, "Englis", std::nullopt},
      {kVoxGainTexts, "Off", 0},         {kVoxGainTexts, "10", 10},
      {kVoxDelayTexts, "1.0", 2},        {kVoxDelayTexts, "1", std::nullopt},
      {kSquelchTexts, "9", 9},           {kSquelchTexts, " 9", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(FindListItem(row.items, row.text), row.expected);
  }
}

TEST(RadioText, AProblemNamesTheFieldAndItsRule) {
  MemoryImage image = NewImage();
  for (int i = 0; i < 5; ++i) image[kAniCode + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>('A' + i);
  const std::string loadedAni = ReadRadioText(image, RadioTextKind::AniCode);  // five letters A-F
  struct Row {
    RadioTextKind kind;
    std::string text;
    std::string expected;
  };
  const Row rows[] = {
      {RadioTextKind::AniCode, "", ""},
      {RadioTextKind::AniCode, "09af", ""},
      {RadioTextKind::AniCode, loadedAni, "ANI holds at most 4 characters; it has 5."},
      {RadioTextKind::AniCode, "12G", "ANI takes only the characters 0-9 and A-F."},
      {RadioTextKind::RadioName, "Zz09az", ""},
      {RadioTextKind::RadioName, "KORVEL1", "Radio Name holds at most 6 characters; it has 7."},
      {RadioTextKind::RadioName, "A B", "Radio Name takes only the characters 0-9 and A-Z."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(RadioTextProblem(row.kind, row.text), row.expected);
  }
}

}  // namespace
}  // namespace korvel
