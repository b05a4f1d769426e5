#pragma once
// What differs between two memory images, in the words the user sees them:
// channel texts as the grid shows them (DecodeChannel), settings as the
// settings listing names them (SettingTexts), and a count of the
// differing bytes that neither shows.

#include <string>
#include <vector>

#include "memory_image.h"

namespace korvel {

struct ChannelDifference {
  int channel;  // 1..128
  int column;   // grid column 1..10; kColumnHeaders names it
  std::string left;
  std::string right;
  bool operator==(const ChannelDifference&) const = default;
};

struct SettingDifference {
  std::string name;  // as SettingTexts names it
  std::string left;
  std::string right;
  bool operator==(const SettingDifference&) const = default;
};

struct ImageDifferences {
  std::vector<ChannelDifference> channels;  // by channel, then column
  std::vector<SettingDifference> settings;  // in the order settings prints them
  // Differing bytes that no line above accounts for: a byte counts here
  // unless giving it the other image's value (in either image) changes a
  // channel text or a setting that differs. So a byte the grid and the
  // settings never show (an unnamed bit, a tone's low byte while the tone
  // is off) is counted, and two images that differ always have a line or a
  // count.
  int hiddenBytes = 0;

  bool Empty() const { return channels.empty() && settings.empty() && hiddenBytes == 0; }
  // Each channel text, setting and hidden byte counts once.
  int Count() const { return static_cast<int>(channels.size() + settings.size()) + hiddenBytes; }
};

ImageDifferences CompareImages(const MemoryImage& left, const MemoryImage& right);

// One line per difference, e.g. "Channel 5 Rx Tone: 88.5 -> OFF",
// "Squelch level: 3 -> 5", and last "12 other bytes differ". An empty text
// shows as "(empty)".
std::vector<std::string> DescribeDifferences(const ImageDifferences& differences);

}  // namespace korvel
