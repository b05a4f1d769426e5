#include "model/image_diff.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/channel_record.h"
#include "model/settings_block.h"

namespace korvel {
namespace {

using Lines = std::vector<std::string>;

// New, with channel 5 and channel 128 in use.
MemoryImage Base() {
  MemoryImage image = NewImage();
  ChannelTexts texts;
  texts.text = {"146.52000", "146.52000", "88.5", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close"};
  EncodeChannel(texts, ChannelRecordOf(image, 5));
  EncodeChannel(texts, ChannelRecordOf(image, 128));
  return image;
}

void SetRecordByte(MemoryImage& image, int channel, std::size_t offset, std::uint8_t value) {
  ChannelRecordOf(image, channel)[offset] = value;
}

TEST(ImageDiff, NamesWhatTheGridAndTheSettingsShowAndCountsTheRest) {
  struct Case {
    const char* name;
    std::function<void(MemoryImage&)> change;  // turns Base() into the right image
    Lines lines;
  };
  const Case cases[] = {
      {"equal", [](MemoryImage&) {}, {}},
      {"tone and frequency texts, first and last channel",
       [](MemoryImage& image) {
         ChannelTexts texts = DecodeChannel(ChannelRecordOf(image, 5));
         texts[kRxTone] = "OFF";
         EncodeChannel(texts, ChannelRecordOf(image, 5));
         SetRecordByte(image, 128, 2, 0x66);  // receive 146.62
       },
       {"Channel 5 Rx Tone: 88.5 -> OFF", "Channel 128 Receive: 146.52000 -> 146.62000"}},
      {"a channel put into use shows every column",
       [](MemoryImage& image) {
         const std::uint8_t frequency[4] = {0x00, 0x20, 0x65, 0x14};
         std::copy(frequency, frequency + 4, ChannelRecordOf(image, 1).begin());
       },
       {"Channel 1 Receive: (empty) -> 146.52000", "Channel 1 Rx Tone: (empty) -> OFF",
        "Channel 1 Tx Tone: (empty) -> OFF", "Channel 1 W/N: (empty) -> Wide", "Channel 1 Scan: (empty) -> Yes",
        "Channel 1 Tx Power: (empty) -> High", "Channel 1 PTTID: (empty) -> ON",
        "Channel 1 BusyLock: (empty) -> Close"}},
      {"settings with the names and values settings prints",
       [](MemoryImage& image) {
         image[settings::kSquelchLevel] = 7;
         settings::SetBits(image, settings::kFunctionFlags, settings::kBeepBit, false);
         image[settings::kRadioType] = 0x3A;
       },
       {"Squelch level: 4 -> 7", "Beep: on -> off", "Radio type byte: 0xFF -> 0x3A"}},
      {"bytes nothing shows: an unused record byte, an empty channel, an unnamed settings byte",
       [](MemoryImage& image) {
         SetRecordByte(image, 5, 15, 0x00);
         SetRecordByte(image, 7, 8, 0x12);
         image[0x81C] = 0x00;
       },
       {"3 other bytes differ"}},
      {"a text and a hidden byte in one record",
       [](MemoryImage& image) {
         SetRecordByte(image, 5, 14, 0xFE);  // PTT ID off
         SetRecordByte(image, 5, 15, 0x00);  // a byte the record does not use
       },
       {"Channel 5 PTTID: ON -> OFF", "1 other byte differs"}},
      {"frequencies stored differently that both read as none",
       [](MemoryImage& image) {
         // Channel 9 holds a non-decimal frequency on the left, one whose
         // highest byte is 0 on the right: empty either way.
         SetRecordByte(image, 9, 0, 0x50);
         SetRecordByte(image, 9, 3, 0x00);
       },
       {"2 other bytes differ"}},
  };
  MemoryImage left = Base();
  SetRecordByte(left, 9, 0, 0x5A);
  SetRecordByte(left, 9, 3, 0x14);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryImage right = left;
    c.change(right);
    const ImageDifferences differences = CompareImages(left, right);
    EXPECT_EQ(DescribeDifferences(differences), c.lines);
    EXPECT_EQ(differences.Empty(), left == right);
  }
}

}  // namespace
}  // namespace korvel
