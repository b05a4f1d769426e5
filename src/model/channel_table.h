#pragma once
// The working copy of the channels: 128 rows of ten texts plus the four
// selections of the type settings bar. The grid fill copies the memory image
// in, the grid collection writes it back; between the two, every change is
// announced to the subscribers (the grid, the bar, the document).

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "channel_record.h"
#include "memory_image.h"
#include "subscription.h"

namespace korvel {

// The four lists of the type settings bar, as list indices.
struct TypeSettings {
  int model = 0;         // "KR - 100" ..
  int band = 2;          // "240 - 260MHz"
  int txPowerRank = 9;   // "0" .. "9"
  int manual = 0;        // 0 "Open", 1 "Close", -1 typed text naming neither
  bool operator==(const TypeSettings&) const = default;
};

// Bar load: the selections the settings block gives (out-of-range values
// select index 0).
TypeSettings LoadTypeSettings(const MemoryImage& image);
// Bar store: writes the four values and the fixed byte 0x811.
void StoreTypeSettings(const TypeSettings& type, MemoryImage& image);

// What changed in a channel table.
struct ChannelChange {
  enum class Kind {
    Cell,    // the text of (row, column)
    Type,    // the bar values
    Filled,  // every row and the bar values, replaced from the image
  };
  Kind kind = Kind::Cell;
  int row = 0;     // grid row 1..128 of a Cell change
  int column = 0;  // grid column 1..10 of a Cell change
  bool operator==(const ChannelChange&) const = default;
};

class ChannelTable {
 public:
  static constexpr int kRows = kChannelCount;  // rows 1..128
  static constexpr int kColumns = kChannelFieldCount;  // columns 1..10
  using Listener = std::function<void(const ChannelChange&)>;

  ChannelTable() = default;
  // Listeners belong to one table.
  ChannelTable(const ChannelTable&) = delete;
  ChannelTable& operator=(const ChannelTable&) = delete;

  // Row r (1..128) is channel r.
  const ChannelTexts& Row(int row) const { return rows_.at(static_cast<std::size_t>(row - 1)); }
  // Cell text by grid row (1..128) and grid column (1..10).
  const std::string& Cell(int row, int column) const { return Row(row)[column - 1]; }
  // Changes a cell; a text equal to the old one is no change.
  void SetCell(int row, int column, std::string text);
  // Changes the cells of a row that differ, one notice each.
  void SetRow(int row, const ChannelTexts& texts);
  // Whether column 1 or 2 of the row holds a frequency.
  bool HasFrequency(int row) const;

  const TypeSettings& Type() const { return type_; }
  void SetType(const TypeSettings& type);

  // Grid fill: every row decoded from the image (empty texts included), then
  // the bar loaded; one Filled notice.
  void Fill(const MemoryImage& image);
  // Grid collection: every row encoded into its record, empty rows too, then
  // the bar stored.
  void Collect(MemoryImage& image) const;

  // The listener hears of every change until the subscription goes.
  [[nodiscard]] Subscription Subscribe(Listener listener);

 private:
  void Notify(const ChannelChange& change) const { listeners_.Notify(change); }

  std::array<ChannelTexts, kRows> rows_{};
  TypeSettings type_{};
  ListenerList<ChannelChange> listeners_;
};

}  // namespace korvel
