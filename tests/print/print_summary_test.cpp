// The printed summary's texts: what the optional features dialog and the bar
// show for the same image.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "model/memory_image.h"
#include "model/settings_block.h"
#include "print/print_summary.h"

namespace korvel::print {
namespace {

using namespace settings;

std::vector<std::string> Texts(const MemoryImage& image, const TypeSettings& type) {
  std::vector<std::string> texts;
  for (const SummaryItem& item : SettingsSummary(image, BarTextsOf(type, image))) texts.push_back(item.text);
  return texts;
}

TEST(PrintSummary, NewImageReadsAsTheEditorsShowIt) {
  const MemoryImage image = NewImage();
  const std::vector<std::string> expected = {
      "Function Setting:",
      "Type:   KR - 100",
      "Frequency Field:240 - 260MHz",
      "Pf1:   None",
      "Pf2: None",
      "Beep Warning: Enable",
      "Squelch Level:  4",
      "TX power rank: 9",
      "Scrambler Activation:Enable",
      "Vox Function:Disable",
      "Vox Gain Level: 9",
      "Vox Delay Time: 0.3s",
      "PTT ID: OFF",
      "Battery Save:Enable",
      "Total Tx Time(s):60",
      "Begin of Tx:",
      "End of Tx:  ",
      "Vox inhibit on recieve:Disable",
  };
  EXPECT_EQ(Texts(image, LoadTypeSettings(image)), expected);
}

// Out-of-range values read as the optional features reading shows them
// (tested there); here what the printout makes of what it reads.
TEST(PrintSummary, EdgeValues) {
  struct Row {
    const char* name;
    std::function<void(MemoryImage&, TypeSettings&)> change;
    std::string expected;
  };
  const auto set = [](std::size_t offset, std::uint8_t value) {
    return [offset, value](MemoryImage& image, TypeSettings&) { image[offset] = value; };
  };
  const Row rows[] = {
      {"timer 9", set(kTimeOutTimer, 9), "Total Tx Time(s):270"},
      {"timer 0", set(kTimeOutTimer, 0), "Total Tx Time(s):OFF"},
      {"gain 10", set(kVoxGain, 10), "Vox Gain Level:10"},
      {"gain 0", set(kVoxGain, 0), "Vox Gain Level:OFF"},
      {"delay 4", set(kVoxDelay, 4), "Vox Delay Time: 2.0s"},
      {"begin only", set(kTransmitFlags, kPttIdBeginBit), "PTT ID: BOT"},
      {"end only", set(kTransmitFlags, kPttIdEndBit), "PTT ID: EOT"},
      {"both", set(kTransmitFlags, kPttIdBeginBit | kPttIdEndBit), "PTT ID: BOTH"},
      {"vox bits", set(kTransmitFlags, kVoxFunctionBit), "Vox Function:Enable"},
      {"inhibit bit", set(kTransmitFlags, kVoxInhibitBit), "Vox inhibit on recieve:Enable"},
      {"Pf1 byte 5", set(kTransmitFlags, 5), "Pf1:   Scrambler"},
      {"Pf1 byte 4", set(kTransmitFlags, 4), "Pf1:   Monitor Momentary"},
      {"Pf2 byte 6", set(kFixedA8, 6), "Pf2: None"},
      {"Pf2 byte 1", set(kFixedA8, 1), "Pf2: Autodial"},
      {"code text skips E and 0xFF",
       [](MemoryImage& image, TypeSettings&) {
         image[0x7B0] = 0x31;
         image[0x7B1] = 0x45;
         image[0x7B2] = 0x41;
       },
       "Begin of Tx:1A"},
      {"end code", set(0x7CF, 'D'), "End of Tx:  D"},
      {"bar selection", [](MemoryImage&, TypeSettings& type) { type.band = 9; }, "Frequency Field:460 - 520MHz"},
      {"no band selected: the block's band",
       [](MemoryImage& image, TypeSettings& type) {
         type.band = -1;
         image[kFrequencyField] = 0xEF;
       },
       "Frequency Field:136 - 174MHz"},
      {"no model selected", [](MemoryImage&, TypeSettings& type) { type.model = -1; }, "Type:   KR - 100"},
      {"no rank selected",
       [](MemoryImage& image, TypeSettings& type) {
         type.txPowerRank = -1;
         image[kTxPowerRank] = 3;
       },
       "TX power rank: 3"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MemoryImage image = NewImage();
    TypeSettings type = LoadTypeSettings(image);
    row.change(image, type);
    const std::vector<std::string> texts = Texts(image, type);
    EXPECT_NE(std::find(texts.begin(), texts.end(), row.expected), texts.end());
  }
}

}  // namespace
}  // namespace korvel::print
