#include "channel_sort.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <span>

#include "channel_columns.h"
#include "channel_rows.h"
#include "text_compare.h"

namespace korvel {
namespace {

// The option lists are in stored-value order, except W/N and Scan, which
// list Wide and Yes (the stored 1) first.
constexpr bool ListedHighValueFirst(int column) { return column == ColumnOf(kBandwidth) || column == ColumnOf(kScan); }

// What a channel sorts by: its rank first (a value, no value, not in use),
// then the value.
struct SortKey {
  enum Rank { kValue, kNoValue, kNotInUse };
  Rank rank = kNotInUse;
  std::int64_t value = 0;
};

// Tones in one scale: no tone, then CTCSS tones by their tenths of a hertz,
// then DCS codes, each code's normal polarity before its inverted one.
constexpr std::int64_t kCtcssBase = 1;
constexpr std::int64_t kDcsBase = 100000;

std::int64_t ToneValue(std::string_view text) {
  const ToneCode code = EncodeTone(text);
  if (code.high == 0x00 || code.high == 0xFF) return 0;
  if (code.high < 0x80) return kCtcssBase + ReadBcd(code.high) * 100 + ReadBcd(code.low);
  const bool inverted = code.high >= 0xC0;
  const int hundreds = code.high - (inverted ? 0xC0 : 0x80);
  return kDcsBase + (hundreds * 100 + ReadBcd(code.low)) * 2 + (inverted ? 1 : 0);
}

SortKey KeyOf(const ChannelTable& channels, int row, int column) {
  if (!channels.HasFrequency(row)) return {};
  const std::string& text = channels.Cell(row, column);
  if (IsFrequencyColumn(column)) {
    const std::uint32_t units = FrequencyTextToUnits(text);
    return units == 0 ? SortKey{SortKey::kNoValue} : SortKey{SortKey::kValue, units};
  }
  if (IsToneColumn(column)) return {SortKey::kValue, ToneValue(text)};
  const std::span<const std::string_view> entries = OptionEntries(column);
  const auto found = std::find(entries.begin(), entries.end(), text);
  if (found == entries.end()) return {SortKey::kNoValue};
  const std::int64_t index = found - entries.begin();
  const std::int64_t last = static_cast<std::int64_t>(entries.size()) - 1;
  return {SortKey::kValue, ListedHighValueFirst(column) ? last - index : index};
}

}  // namespace

std::optional<int> SortColumnNamed(std::string_view name) {
  for (int column = 1; column <= kChannelFieldCount; ++column) {
    if (EqualsIgnoringCase(name, kColumnNames[static_cast<std::size_t>(column - 1)])) return column;
  }
  return std::nullopt;
}

std::string SortColumnList() {
  std::string list;
  for (const std::string_view name : kColumnNames) list += (list.empty() ? "" : ", ") + std::string(name);
  return list;
}

bool SortChannels(CKovDoc& document, const std::vector<int>& rows, int column, SortDirection direction) {
  if (column < 1 || column > kChannelFieldCount) return false;
  std::vector<SortKey> keys;
  keys.reserve(rows.size());
  for (int row : rows) keys.push_back(KeyOf(document.Channels(), row, column));
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  const bool descending = direction == SortDirection::Descending;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const SortKey& x = keys[a];
    const SortKey& y = keys[b];
    if (x.rank != y.rank) return x.rank < y.rank;
    if (x.rank != SortKey::kValue) return false;
    return descending ? y.value < x.value : x.value < y.value;
  });
  std::vector<int> from;
  from.reserve(rows.size());
  for (std::size_t i : order) from.push_back(rows[i]);
  if (from == rows) return false;
  ArrangeChannels(document, rows, from);
  return true;
}

bool SortAllChannels(CKovDoc& document, int column, SortDirection direction) {
  std::vector<int> rows(kChannelCount);
  std::iota(rows.begin(), rows.end(), 1);
  return SortChannels(document, rows, column, direction);
}

}  // namespace korvel
