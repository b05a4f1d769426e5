#pragma once
// The radio-wide optional features as values: list indices, flags and the
// two radio texts, loaded from and stored into the settings block.

#include <string>

#include "memory_image.h"

namespace korvel {

struct OptionalFeatures {
  int timeOutTimer = 0;   // 0..9, x 30 s, 0 = off
  int squelchLevel = 0;   // 0..9
  bool beep = false;
  bool scrambler = false;
  bool batterySave = false;
  int language = 2;       // 0 "Chinese", 1 "English", 2 "Off"
  int voxGain = 0;        // 0 "OFF", 1..10
  int voxDelay = 0;       // index into settings::kVoxDelayTexts
  bool pttIdBegin = false;
  bool pttIdEnd = false;
  std::string aniCode;    // may exceed its limit when read from an image
  std::string radioName;
  bool operator==(const OptionalFeatures&) const = default;
};

// Values outside a list's range read as the list's first item.
OptionalFeatures LoadOptionalFeatures(const MemoryImage& image);
// Stores every field, clears both VOX flags of 0x810 (the editor offers no
// control for them), writes the fixed bytes 0x817 = 4 and 0x818 = 0, and
// leaves every other bit as it was. A list value outside its list stores the
// first item, so the image never receives a value the radio does not know.
// The texts are stored as they are; check them with RadioTextProblem first.
void StoreOptionalFeatures(const OptionalFeatures& features, MemoryImage& image);

// "OFF" for 0, else the limit in seconds ("30" .. "270").
std::string TimeOutTimerText(int value);

}  // namespace korvel
