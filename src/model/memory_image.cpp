#include "memory_image.h"

#include "settings_block.h"

namespace korvel {

ChannelRecord ChannelRecordOf(MemoryImage& image, int channel) {
  return ChannelRecord(image.data() + static_cast<std::size_t>(channel - 1) * kRowSize, kRowSize);
}

ConstChannelRecord ChannelRecordOf(const MemoryImage& image, int channel) {
  return ConstChannelRecord(image.data() + static_cast<std::size_t>(channel - 1) * kRowSize,
                            kRowSize);
}

MemoryImage NewImage() {
  MemoryImage image;
  image.fill(0xFF);
  using namespace settings;
  image[kFrequencyField] = 0xF0;  // "240 - 260MHz"
  image[kModel] = 0x38;           // "KR - 100"
  image[kTransmitFlags] = 0x00;
  image[kFixedA8] = kFixedA8Value;
  image[kFunctionFlags] = 0xD6;   // manual open, beep, scrambler, battery save, English
  image[kSquelchLevel] = 0x04;
  image[kTimeOutTimer] = 0x02;    // 60 s
  image[kVoxGain] = 0x09;
  image[kVoxDelay] = 0x00;        // 0.3 s
  image[kFixed4] = kFixed4Value;
  image[kFixed0] = kFixed0Value;
  image[kTxPowerRank] = 0x09;
  image[kClearedA] = 0x00;
  image[kClearedB] = 0x00;
  return image;
}

}  // namespace korvel
