#pragma once
// What each grid column is: its header text, the entries an option column
// offers, and the texts a row receives with its first frequency. The grid,
// its editors and every other editor of channels take them from here.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "channel_record.h"

namespace korvel {

// Grid column of a channel field (column 0 holds the channel number).
constexpr int ColumnOf(ChannelField field) { return field + 1; }

inline constexpr int kFirstToneColumn = ColumnOf(kRxTone);
inline constexpr int kFirstOptionColumn = ColumnOf(kBandwidth);
inline constexpr int kLastOptionColumn = ColumnOf(kBusyLock);

constexpr bool IsFrequencyColumn(int column) {
  return column == ColumnOf(kRxFrequency) || column == ColumnOf(kTxFrequency);
}
constexpr bool IsToneColumn(int column) {
  return column == ColumnOf(kRxTone) || column == ColumnOf(kTxTone);
}
constexpr bool IsOptionColumn(int column) {
  return column >= kFirstOptionColumn && column <= kLastOptionColumn;
}

// Header texts of row 0, columns 0 to 10.
inline constexpr std::array<std::string_view, kChannelFieldCount + 1> kColumnHeaders = {
    "CH",      "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone", " W/N ",
    "Scan",    "Tx Power",     " Opt Signal",   "PTTID",   "BusyLock"};

// Plain names of columns 1 to 10: the header of a channel list in a CSV
// file, and how messages name a cell's column.
inline constexpr std::array<std::string_view, kChannelFieldCount> kColumnNames = {
    "Receive", "Transmit", "Rx Tone", "Tx Tone", "W/N", "Scan", "Tx Power", "Opt Signal", "PTTID", "BusyLock"};

// kColumnNames' name of column 1..10; "Column N" for any other.
std::string ColumnName(int column);

// Texts of columns 3 to 10 that a row receives with its first frequency.
inline constexpr std::array<std::string_view, kChannelFieldCount - kRxTone> kNewRowTexts = {
    "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"};

// Entries of option column 5..10 in list order (not sorted); none for other
// columns.
std::span<const std::string_view> OptionEntries(int column);

}  // namespace korvel
