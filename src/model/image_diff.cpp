#include "image_diff.h"

#include <algorithm>

#include "channel_columns.h"
#include "channel_record.h"
#include "settings_texts.h"

namespace korvel {
namespace {

int ChannelAt(std::size_t address) { return static_cast<int>(address / kRowSize) + 1; }

std::vector<SettingText> SettingsWith(const MemoryImage& image, std::size_t address, std::uint8_t value) {
  MemoryImage changed = image;
  changed[address] = value;
  return SettingTexts(changed);
}

ChannelTexts ChannelWith(const MemoryImage& image, std::size_t address, std::uint8_t value) {
  MemoryImage changed = image;
  changed[address] = value;
  return DecodeChannel(ChannelRecordOf(changed, ChannelAt(address)));
}

// Whether the byte at address, given the other image's value, changes a
// setting among those that differ, in either image.
bool ShowsInSettings(const MemoryImage& left, const MemoryImage& right, std::size_t address,
                     const std::vector<SettingText>& leftTexts, const std::vector<SettingText>& rightTexts) {
  const std::vector<SettingText> leftChanged = SettingsWith(left, address, right[address]);
  const std::vector<SettingText> rightChanged = SettingsWith(right, address, left[address]);
  for (std::size_t i = 0; i < leftTexts.size(); ++i) {
    if (leftTexts[i] == rightTexts[i]) continue;
    if (leftChanged[i] != leftTexts[i] || rightChanged[i] != rightTexts[i]) return true;
  }
  return false;
}

// The same for the channel texts of the record the byte is in.
bool ShowsInChannel(const MemoryImage& left, const MemoryImage& right, std::size_t address,
                    const ChannelTexts& leftTexts, const ChannelTexts& rightTexts) {
  const ChannelTexts leftChanged = ChannelWith(left, address, right[address]);
  const ChannelTexts rightChanged = ChannelWith(right, address, left[address]);
  for (int field = 0; field < kChannelFieldCount; ++field) {
    if (leftTexts[field] == rightTexts[field]) continue;
    if (leftChanged[field] != leftTexts[field] || rightChanged[field] != rightTexts[field]) return true;
  }
  return false;
}

std::string Shown(const std::string& text) { return text.empty() ? "(empty)" : text; }

}  // namespace

ImageDifferences CompareImages(const MemoryImage& left, const MemoryImage& right) {
  ImageDifferences differences;
  for (int channel = 1; channel <= kChannelCount; ++channel) {
    const std::size_t first = static_cast<std::size_t>(channel - 1) * kRowSize;
    if (std::equal(left.begin() + first, left.begin() + first + kRowSize, right.begin() + first)) continue;
    const ChannelTexts leftTexts = DecodeChannel(ChannelRecordOf(left, channel));
    const ChannelTexts rightTexts = DecodeChannel(ChannelRecordOf(right, channel));
    for (int field = 0; field < kChannelFieldCount; ++field) {
      if (leftTexts[field] != rightTexts[field])
        differences.channels.push_back({channel, ColumnOf(static_cast<ChannelField>(field)), leftTexts[field],
                                        rightTexts[field]});
    }
    for (std::size_t address = first; address < first + kRowSize; ++address) {
      if (left[address] != right[address] && !ShowsInChannel(left, right, address, leftTexts, rightTexts))
        ++differences.hiddenBytes;
    }
  }

  if (std::equal(left.begin() + kSettingsOffset, left.end(), right.begin() + kSettingsOffset)) return differences;
  const std::vector<SettingText> leftTexts = SettingTexts(left);
  const std::vector<SettingText> rightTexts = SettingTexts(right);
  for (std::size_t i = 0; i < leftTexts.size(); ++i) {
    if (leftTexts[i] != rightTexts[i])
      differences.settings.push_back({leftTexts[i].name, leftTexts[i].value, rightTexts[i].value});
  }
  for (std::size_t address = kSettingsOffset; address < kImageSize; ++address) {
    if (left[address] != right[address] && !ShowsInSettings(left, right, address, leftTexts, rightTexts))
      ++differences.hiddenBytes;
  }
  return differences;
}

std::vector<std::string> DescribeDifferences(const ImageDifferences& differences) {
  std::vector<std::string> lines;
  for (const ChannelDifference& d : differences.channels)
    lines.push_back("Channel " + std::to_string(d.channel) + " " + ColumnName(d.column) + ": " + Shown(d.left) +
                    " -> " + Shown(d.right));
  for (const SettingDifference& d : differences.settings)
    lines.push_back(d.name + ": " + Shown(d.left) + " -> " + Shown(d.right));
  if (differences.hiddenBytes == 1) lines.push_back("1 other byte differs");
  if (differences.hiddenBytes > 1) lines.push_back(std::to_string(differences.hiddenBytes) + " other bytes differ");
  return lines;
}

}  // namespace korvel
