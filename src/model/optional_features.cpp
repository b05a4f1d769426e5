#include "optional_features.h"

#include "settings_block.h"

namespace korvel {

using namespace settings;

OptionalFeatures LoadOptionalFeatures(const MemoryImage& image) {
  OptionalFeatures f;
  const int tot = image[kTimeOutTimer];
  f.timeOutTimer = tot <= 9 ? tot : 0;
  const int squelch = image[kSquelchLevel];
  f.squelchLevel = squelch <= 9 ? squelch : 0;
  f.beep = TestBits(image, kFunctionFlags, kBeepBit);
  f.scrambler = TestBits(image, kFunctionFlags, kScramblerBit);
  f.batterySave = TestBits(image, kFunctionFlags, kBatterySaveBit);
  if (!TestBits(image, kFunctionFlags, kLanguageOnBit))
    f.language = 2;
  else
    f.language = TestBits(image, kFunctionFlags, kLanguageChineseBit) ? 0 : 1;
  const int gain = image[kVoxGain];
  f.voxGain = gain <= 10 ? gain : 0;
  const int delay = image[kVoxDelay];
  f.voxDelay = delay < static_cast<int>(kVoxDelayTexts.size()) ? delay : 0;
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
  if (f.language == 2) {
    SetBits(image, kFunctionFlags, kLanguageOnBit, false);
  } else {
    SetBits(image, kFunctionFlags, kLanguageOnBit, true);
    SetBits(image, kFunctionFlags, kLanguageChineseBit, f.language == 0);
  }
  SetBits(image, kTransmitFlags, kVoxFunctionBit | kVoxInhibitBit, false);
  SetBits(image, kTransmitFlags, kPttIdBeginBit, f.pttIdBegin);
  SetBits(image, kTransmitFlags, kPttIdEndBit, f.pttIdEnd);
  image[kSquelchLevel] = static_cast<std::uint8_t>(f.squelchLevel);
  image[kTimeOutTimer] = static_cast<std::uint8_t>(f.timeOutTimer);
  image[kVoxGain] = static_cast<std::uint8_t>(f.voxGain);
  image[kVoxDelay] = static_cast<std::uint8_t>(f.voxDelay);
  image[kFixed0] = kFixed0Value;
  image[kFixed4] = kFixed4Value;
  WriteRadioText(image, RadioTextKind::AniCode, f.aniCode);
  WriteRadioText(image, RadioTextKind::RadioName, f.radioName);
}

std::string TimeOutTimerText(int value) { return value == 0 ? "OFF" : std::to_string(value * 30); }

}  // namespace korvel
