#include "channel_table.h"

#include "settings_block.h"

namespace korvel {

TypeSettings LoadTypeSettings(const MemoryImage& image) {
  using namespace settings;
  TypeSettings type;
  const int band = image[kFrequencyField] - kFrequencyFieldBase;
  type.band = (band >= 0 && band < kBandCount) ? band : 0;
  const int model = image[kModel] - kModelBase;
  type.model = (model >= 0 && model < kModelCount) ? model : 0;
  type.manual = TestBits(image, kFunctionFlags, kManualOpenBit) ? 0 : 1;
  const int rank = image[kTxPowerRank];
  type.txPowerRank = rank < kTxPowerRankCount ? rank : 0;
  return type;
}

void StoreTypeSettings(const TypeSettings& type, MemoryImage& image) {
  using namespace settings;
  image[kFrequencyField] = static_cast<std::uint8_t>(type.band + kFrequencyFieldBase);
  image[kModel] = static_cast<std::uint8_t>(type.model + kModelBase);
  SetBits(image, kFunctionFlags, kManualOpenBit, type.manual == 0);
  image[kTxPowerRank] = static_cast<std::uint8_t>(type.txPowerRank);
  image[kFixedA8] = kFixedA8Value;
}

void ChannelTable::Fill(const MemoryImage& image) {
  for (int row = 1; row <= kRows; ++row) Row(row) = DecodeChannel(ChannelRecordOf(image, row));
  type_ = LoadTypeSettings(image);
}

void ChannelTable::Collect(MemoryImage& image) const {
  for (int row = 1; row <= kRows; ++row) EncodeChannel(Row(row), ChannelRecordOf(image, row));
  StoreTypeSettings(type_, image);
}

}  // namespace korvel
