#pragma once
// The working copy of the grid: 128 rows of channel texts plus the four
// selections of the type settings bar. The grid fill copies the memory image
// in; the grid collection writes it back.

#include <array>
#include <string>

#include "channel_record.h"
#include "memory_image.h"

namespace korvel {

// The four lists of the type settings bar, as list indices.
struct TypeSettings {
  int model = 0;         // "KR - 100" ..
  int band = 2;          // "240 - 260MHz"
  int txPowerRank = 9;   // "0" .. "9"
  int manual = 0;        // 0 "Open", 1 "Close"
  bool operator==(const TypeSettings&) const = default;
};

// Bar load: the selections the settings block gives (out-of-range values
// select index 0).
TypeSettings LoadTypeSettings(const MemoryImage& image);
// Bar store: writes the four values and the fixed byte 0x811.
void StoreTypeSettings(const TypeSettings& type, MemoryImage& image);

class ChannelTable {
 public:
  static constexpr int kRows = kChannelCount;  // rows 1..128
  static constexpr int kColumns = kChannelFieldCount;  // columns 1..10

  // Row r (1..128) is channel r.
  ChannelTexts& Row(int row) { return rows_.at(static_cast<std::size_t>(row - 1)); }
  const ChannelTexts& Row(int row) const { return rows_.at(static_cast<std::size_t>(row - 1)); }
  // Cell text by grid row (1..128) and grid column (1..10).
  const std::string& Cell(int row, int column) const { return Row(row)[column - 1]; }
  void SetCell(int row, int column, std::string text) { Row(row)[column - 1] = std::move(text); }

  TypeSettings& Type() { return type_; }
  const TypeSettings& Type() const { return type_; }

  // Grid fill: every row decoded from the image (empty texts included), then
  // the bar loaded.
  void Fill(const MemoryImage& image);
  // Grid collection: every row encoded into its record, empty rows too, then
  // the bar stored.
  void Collect(MemoryImage& image) const;

 private:
  std::array<ChannelTexts, kRows> rows_{};
  TypeSettings type_{};
};

}  // namespace korvel
