#include "channel_table.h"

#include <vector>

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

void ChannelTable::SetCell(int row, int column, std::string text) {
  std::string& cell = rows_.at(static_cast<std::size_t>(row - 1))[column - 1];
  if (cell == text) return;
  cell = std::move(text);
  Notify({ChannelChange::Kind::Cell, row, column});
}

void ChannelTable::SetRow(int row, const ChannelTexts& texts) {
  for (int column = 1; column <= kColumns; ++column) SetCell(row, column, texts[column - 1]);
}

bool ChannelTable::HasFrequency(int row) const {
  return !Cell(row, kRxFrequency + 1).empty() || !Cell(row, kTxFrequency + 1).empty();
}

void ChannelTable::SetType(const TypeSettings& type) {
  if (type == type_) return;
  type_ = type;
  Notify({ChannelChange::Kind::Type});
}

void ChannelTable::Fill(const MemoryImage& image) {
  for (int row = 1; row <= kRows; ++row) {
    rows_[static_cast<std::size_t>(row - 1)] = DecodeChannel(ChannelRecordOf(image, row));
  }
  type_ = LoadTypeSettings(image);
  Notify({ChannelChange::Kind::Filled});
}

void ChannelTable::Collect(MemoryImage& image) const {
  for (int row = 1; row <= kRows; ++row) EncodeChannel(Row(row), ChannelRecordOf(image, row));
  StoreTypeSettings(type_, image);
}

Subscription ChannelTable::Subscribe(Listener listener) { return listeners_.Add(std::move(listener)); }

}  // namespace korvel
