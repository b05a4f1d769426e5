#pragma once
// The radio-wide settings of an image as a listing of named texts: the
// type settings bar, the optional features and the radio type byte, each a
// name and its value as text.

#include <string>
#include <vector>

#include "memory_image.h"

namespace korvel {

struct SettingText {
  std::string name;   // "Squelch level"
  std::string value;  // "4"
  bool operator==(const SettingText&) const = default;
};

// Every setting: the bar's four values, the features, the radio type.
std::vector<SettingText> SettingTexts(const MemoryImage& image);

}  // namespace korvel
