#include "optional_features.h"

#include "settings_block.h"

namespace korvel {

using namespace settings;

namespace {

// The list index a value stands for: values outside the list stand for its
// first item, on reading as on storing.
std::uint8_t ListByte(int value, std::size_t count) {
  return static_cast<std::uint8_t>(value >= 0 && static_cast<std::size_t>(value) < count ? value : 0);
}

}  // namespace

OptionalFeatures LoadOptionalFeatures(const MemoryImage& image) {
  OptionalFeatures f;
  f.timeOutTimer = ListByte(image[kTimeOutTimer], kTimeOutTimerTexts.size());
  f.squelchLevel = ListByte(image[kSquelchLevel], kSquelchTexts.size());
  f.beep = TestBits(image, kFunctionFlags, kBeepBit);
  f.scrambler = TestBits(image, kFunctionFlags, kScramblerBit);
  f.batterySave = TestBits(image, kFunctionFlags, kBatterySaveBit);
  if (!TestBits(image, kFunctionFlags, kLanguageOnBit))
    f.language = 2;
  else
    f.language = TestBits(image, kFunctionFlags, kLanguageChineseBit) ? 0 : 1;
  f.voxGain = ListByte(image[kVoxGain], kVoxGainTexts.size());
  f.voxDelay = ListByte(image[kVoxDelay], kVoxDelayTexts.size());
  f.pttIdBegin = TestBits(image, kTransmitFlags, kPttIdBeginBit);
  f.pttIdEnd = TestBits(image, kTransmitFlags, kPttIdEndBit);
  f.aniCode = ReadRadioText(image, RadioTextKind::AniCode);
  f.radioName = ReadRadioText(image, RadioTextKind::RadioName);
  return f;
}

void StoreOptionalFeatures(const OptionalFeatures& f, MemoryImage& image) {
  SetBits(image, kFunctionFlags, kScramblerBit, f.scrambler);
  SetBits(image, kFunctionFlags, kBeepBit, f.beep);
  SetBits(image, kFunctionFlags, kBatterySaveBit, f.batterySave);
  const int language = ListByte(f.language, kLanguageTexts.size());
  if (language == 2) {
    SetBits(image, kFunctionFlags, kLanguageOnBit, false);
  } else {
    SetBits(image, kFunctionFlags, kLanguageOnBit, true);
    SetBits(image, kFunctionFlags, kLanguageChineseBit, language == 0);
  }
  SetBits(image, kTransmitFlags, kVoxFunctionBit | kVoxInhibitBit, false);
  SetBits(image, kTransmitFlags, kPttIdBeginBit, f.pttIdBegin);
  SetBits(image, kTransmitFlags, kPttIdEndBit, f.pttIdEnd);
  image[kSquelchLevel] = ListByte(f.squelchLevel, kSquelchTexts.size());
  image[kTimeOutTimer] = ListByte(f.timeOutTimer, kTimeOutTimerTexts.size());
  image[kVoxGain] = ListByte(f.voxGain, kVoxGainTexts.size());
  image[kVoxDelay] = ListByte(f.voxDelay, kVoxDelayTexts.size());
  image[kFixed0] = kFixed0Value;
  image[kFixed4] = kFixed4Value;
  WriteRadioText(image, RadioTextKind::AniCode, f.aniCode);
  WriteRadioText(image, RadioTextKind::RadioName, f.radioName);
}

std::string TimeOutTimerText(int value) {
  return std::string(kTimeOutTimerTexts[ListByte(value, kTimeOutTimerTexts.size())]);
}

}  // namespace korvel
