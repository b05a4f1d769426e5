#include "channel_columns.h"

namespace korvel {
namespace {

constexpr std::string_view kBandwidthEntries[] = {"Wide", "Narrow"};
constexpr std::string_view kScanEntries[] = {"Yes", "No"};
constexpr std::string_view kTxPowerEntries[] = {"Low", "High"};
constexpr std::string_view kOptSignalEntries[] = {"None", "DTMF", "FleetSync"};
constexpr std::string_view kPttIdEntries[] = {"OFF", "ON"};
constexpr std::string_view kBusyLockEntries[] = {"Close", "Carrier", "QT/DQT"};

}  // namespace

std::string ColumnName(int column) {
  if (column < 1 || column > kChannelFieldCount) return "Column " + std::to_string(column);
  return std::string(kColumnNames[static_cast<std::size_t>(column - 1)]);
}

std::span<const std::string_view> OptionEntries(int column) {
  switch (column) {
    case ColumnOf(kBandwidth): return kBandwidthEntries;
    case ColumnOf(kScan): return kScanEntries;
    case ColumnOf(kTxPower): return kTxPowerEntries;
    case ColumnOf(kOptSignal): return kOptSignalEntries;
    case ColumnOf(kPttId): return kPttIdEntries;
    case ColumnOf(kBusyLock): return kBusyLockEntries;
    default: return {};
  }
}

}  // namespace korvel
