#include "print/print_summary.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "model/optional_features.h"
#include "model/settings_block.h"

namespace korvel::print {
namespace {

using namespace settings;

// The two code areas inside channel records 124 and 125.
constexpr std::size_t kBeginOfTxCode = 0x7B0;
constexpr std::size_t kEndOfTxCode = 0x7C0;
constexpr std::size_t kCodeLength = 16;

std::string Enabled(bool on) { return on ? "Enable" : "Disable"; }

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%2d", value);
  return text;
}

std::string PttIdText(bool begin, bool end) {
  if (begin && end) return "BOTH";
  if (begin) return "BOT";
  if (end) return "EOT";
  return "OFF";
}

template <std::size_t N>
std::string ListText(const std::array<std::string_view, N>& items, int index) {
  return std::string(items[static_cast<std::size_t>(index)]);
}

}  // namespace

BarTexts BarTextsOf(const TypeSettings& type, const MemoryImage& image) {
  const TypeSettings held = LoadTypeSettings(image);
  const int model = type.model >= 0 && type.model < kModelCount ? type.model : held.model;
  const int band = type.band >= 0 && type.band < kBandCount ? type.band : held.band;
  const int rank = type.txPowerRank >= 0 && type.txPowerRank < kTxPowerRankCount ? type.txPowerRank
                                                                                 : held.txPowerRank;
  return {ListText(kModelTexts, model), ListText(kBandTexts, band), std::to_string(rank)};
}

std::string KeyFunctionName(std::uint8_t value) {
  static constexpr std::array<std::string_view, 6> kNames = {
      "None", "Autodial", "Key Lock", "Monitor", "Monitor Momentary", "Scrambler"};
  return std::string(value < kNames.size() ? kNames[value] : kNames[0]);
}

std::string CodeText(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (std::uint8_t b : bytes) {
    if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'D')) text += static_cast<char>(b);
  }
  return text;
}

std::vector<SummaryItem> SettingsSummary(const MemoryImage& image, const BarTexts& bar) {
  // Every value the optional features dialog edits comes from its reading,
  // so paper and screen agree about the same radio.
  const OptionalFeatures f = LoadOptionalFeatures(image);
  const bool voxFunction = TestBits(image, kTransmitFlags, kVoxFunctionBit);
  const bool voxInhibit = TestBits(image, kTransmitFlags, kVoxInhibitBit);
  const std::string voxGain = f.voxGain == 0 ? "OFF" : TwoDigits(f.voxGain);
  const auto code = [&image](std::size_t offset) {
    return CodeText(std::span<const std::uint8_t>(image).subspan(offset, kCodeLength));
  };
  return {
      {0, 5, "Function Setting:"},
      {1, 2, "Type:   " + bar.model},
      {1, 25, "Frequency Field:" + bar.band},
      {2, 2, "Pf1:   " + KeyFunctionName(image[kTransmitFlags])},
      {2, 25, "Pf2: " + KeyFunctionName(image[kFixedA8])},
      {2, 50, "Beep Warning: " + Enabled(f.beep)},
      {3, 2, "Squelch Level: " + TwoDigits(f.squelchLevel)},
      {3, 25, "TX power rank: " + bar.txPowerRank},
      {3, 50, "Scrambler Activation:" + Enabled(f.scrambler)},
      {4, 2, "Vox Function:" + Enabled(voxFunction)},
      {4, 25, "Vox Gain Level:" + voxGain},
      {4, 50, "Vox Delay Time: " + ListText(kVoxDelayTexts, f.voxDelay) + "s"},
      {5, 2, "PTT ID: " + PttIdText(f.pttIdBegin, f.pttIdEnd)},
      {5, 25, "Battery Save:" + Enabled(f.batterySave)},
      {5, 50, "Total Tx Time(s):" + TimeOutTimerText(f.timeOutTimer)},
      {6, 2, "Begin of Tx:" + code(kBeginOfTxCode)},
      {6, 35, "End of Tx:  " + code(kEndOfTxCode)},
      {7, 2, "Vox inhibit on recieve:" + Enabled(voxInhibit)},
  };
}

}  // namespace korvel::print
