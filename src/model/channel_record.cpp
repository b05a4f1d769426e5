#include "channel_record.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "number_text.h"

namespace korvel {
namespace {

// Byte offsets inside a channel record.
constexpr std::size_t kRxFrequencyAt = 0;  // 4 BCD bytes, lowest first
constexpr std::size_t kTxFrequencyAt = 4;
constexpr std::size_t kRxToneLow = 8;
constexpr std::size_t kRxToneHigh = 9;
constexpr std::size_t kTxToneLow = 10;
constexpr std::size_t kTxToneHigh = 11;
constexpr std::size_t kOptSignalAt = 12;
constexpr std::size_t kFlagsAt = 13;
constexpr std::size_t kPttIdAt = 14;

// Channel flags, byte 13.
constexpr std::uint8_t kHighPowerBit = 0x20;
constexpr std::uint8_t kWideBit = 0x10;
constexpr std::uint8_t kScanBit = 0x08;
constexpr std::uint8_t kBusyQtBit = 0x04;
constexpr std::uint8_t kBusyCarrierBit = 0x02;
// PTT ID, byte 14.
constexpr std::uint8_t kPttIdOnBit = 0x01;

constexpr std::uint8_t kSignalNone = 0;
constexpr std::uint8_t kSignalDtmf = 2;
constexpr std::uint8_t kSignalFleetSync = 4;

bool IsEmptyHighByte(std::uint8_t b) { return b == 0x00 || b == 0xFF; }

bool IsDecimal(std::uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; }

// A frequency field holds a frequency when its highest byte is set and all
// its digits are decimal: digits that are not (bytes no radio writes) would
// show a frequency no save could store, so they read as none.
bool HoldsFrequency(const std::uint8_t* bytes4) {
  return !IsEmptyHighByte(bytes4[3]) && IsDecimal(bytes4[0]) && IsDecimal(bytes4[1]) && IsDecimal(bytes4[2]) &&
         IsDecimal(bytes4[3]);
}

void SetBit(std::uint8_t& byte, std::uint8_t mask, bool on) {
  byte = on ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
}

std::string DecodeBusyLock(std::uint8_t flags) {
  switch (flags & 0x07) {
    case 0b010:
    case 0b011:
      return "Carrier";
    case 0b100:
    case 0b101:
      return "QT/DQT";
    default:
      return "Close";
  }
}

std::string DecodeOptSignal(std::uint8_t value) {
  switch (value) {
    case kSignalNone:
      return "None";
    case kSignalDtmf:
      return "DTMF";
    case kSignalFleetSync:
      return "FleetSync";
    default:
      return "";
  }
}

}  // namespace

bool ChannelTexts::AllEmpty() const {
  for (const auto& t : text)
    if (!t.empty()) return false;
  return true;
}

std::uint32_t DecodeFrequencyUnits(const std::uint8_t* bytes4) {
  if (!HoldsFrequency(bytes4)) return 0;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value * 100 + static_cast<std::uint32_t>(ReadBcd(bytes4[i]));
  return value;
}

std::string FormatFrequency(std::uint32_t units) {
  return FormatFixed(static_cast<double>(units) * 0.00001, 3, 5);
}

std::uint32_t FrequencyTextToUnits(std::string_view text) {
  const double product = ParseDecimal(text) * 1000 * 100;
  if (!(product >= 0) || product > 4294967295.0) return 0;  // negative, NaN, too large
  const double rounded = std::round(product);
  if (rounded > 4294967295.0) return 0;
  return static_cast<std::uint32_t>(rounded);
}

void EncodeFrequency(std::string_view text, std::uint8_t* bytes4) {
  std::uint32_t f = FrequencyTextToUnits(text);
  if (f == 0) {
    for (int i = 0; i < 4; ++i) bytes4[i] = 0xFF;
    return;
  }
  bytes4[3] = WriteBcd(f / 1000000);
  f %= 1000000;
  bytes4[2] = WriteBcd(f / 10000);
  f %= 10000;
  bytes4[1] = WriteBcd(f / 100);
  bytes4[0] = WriteBcd(f % 100);
}

std::string DecodeTone(std::uint8_t high, std::uint8_t low, bool inUse) {
  if (IsEmptyHighByte(high)) return inUse ? "OFF" : "";
  // Digits that are not decimal name no tone the list holds, and no name
  // would encode back to these bytes: shown, and so saved, as the list's
  // first entry.
  if (!IsDecimal(low) || (high < 0x80 && !IsDecimal(high))) return "OFF";
  if (high < 0x80) {
    const int value = ReadBcd(high) * 100 + ReadBcd(low);
    return FormatFixed(value * 0.1, 3, 1);
  }
  const bool normal = high < 0xC0;
  const int d = high - (normal ? 0x80 : 0xC0);
  const char polarity = normal ? 'N' : 'I';
  if (d == 0) return "D0" + std::to_string(ReadBcd(low)) + polarity;
  return "D" + std::to_string(d * 100 + ReadBcd(low)) + polarity;
}

ToneCode EncodeTone(std::string_view text) {
  if (text.find('D') != std::string_view::npos) {
    const std::string_view rest = text.substr(1);
    const long code = ParseInteger(rest);
    const bool normal = rest.find('N') != std::string_view::npos;
    return ToneCode{static_cast<std::uint8_t>(code / 100 + (normal ? 0x80 : 0xC0)), WriteBcd(code % 100)};
  }
  const double tenfold = ParseDecimal(text) * 10;
  // Truncation toward zero; values no int can hold are no tone at all.
  const long t = (std::isfinite(tenfold) && std::fabs(tenfold) < 2147483647.0) ? static_cast<long>(tenfold) : 0;
  if (t == 0) return ToneCode{0xFF, 0xFF};
  return ToneCode{WriteBcd(t / 100), WriteBcd(t % 100)};
}

ChannelTexts DecodeChannel(ConstChannelRecord record) {
  ChannelTexts texts;
  const std::uint32_t rx = DecodeFrequencyUnits(record.data() + kRxFrequencyAt);
  const std::uint32_t tx = DecodeFrequencyUnits(record.data() + kTxFrequencyAt);
  const bool rxSet = HoldsFrequency(record.data() + kRxFrequencyAt);
  const bool txSet = HoldsFrequency(record.data() + kTxFrequencyAt);
  const bool inUse = rxSet || txSet;
  if (!inUse) return texts;
  if (rxSet) texts[kRxFrequency] = FormatFrequency(rx);
  if (txSet) texts[kTxFrequency] = FormatFrequency(tx);
  texts[kRxTone] = DecodeTone(record[kRxToneHigh], record[kRxToneLow], true);
  texts[kTxTone] = DecodeTone(record[kTxToneHigh], record[kTxToneLow], true);
  const std::uint8_t flags = record[kFlagsAt];
  texts[kBandwidth] = (flags & kWideBit) ? "Wide" : "Narrow";
  texts[kScan] = (flags & kScanBit) ? "Yes" : "No";
  texts[kTxPower] = (flags & kHighPowerBit) ? "High" : "Low";
  texts[kOptSignal] = DecodeOptSignal(record[kOptSignalAt]);
  texts[kPttId] = (record[kPttIdAt] & kPttIdOnBit) ? "ON" : "OFF";
  texts[kBusyLock] = DecodeBusyLock(flags);
  return texts;
}

void EncodeChannel(const ChannelTexts& texts, ChannelRecord record) {
  EncodeFrequency(texts[kRxFrequency], record.data() + kRxFrequencyAt);
  EncodeFrequency(texts[kTxFrequency], record.data() + kTxFrequencyAt);
  const ToneCode rxTone = EncodeTone(texts[kRxTone]);
  record[kRxToneHigh] = rxTone.high;
  record[kRxToneLow] = rxTone.low;
  const ToneCode txTone = EncodeTone(texts[kTxTone]);
  record[kTxToneHigh] = txTone.high;
  record[kTxToneLow] = txTone.low;

  const std::string& signal = texts[kOptSignal];
  record[kOptSignalAt] = signal == "DTMF" ? kSignalDtmf : signal == "FleetSync" ? kSignalFleetSync : kSignalNone;

  std::uint8_t flags = record[kFlagsAt];
  SetBit(flags, kHighPowerBit, texts[kTxPower] == "High");
  SetBit(flags, kScanBit, texts[kScan] == "Yes");
  SetBit(flags, kWideBit, texts[kBandwidth] == "Wide");
  SetBit(record[kPttIdAt], kPttIdOnBit, texts[kPttId] == "ON");
  const std::string& busy = texts[kBusyLock];
  if (busy == "Close") {
    SetBit(flags, kBusyQtBit | kBusyCarrierBit, false);
  } else if (busy == "Carrier") {
    SetBit(flags, kBusyCarrierBit, true);
    SetBit(flags, kBusyQtBit, false);
  } else {
    SetBit(flags, kBusyQtBit, true);
    SetBit(flags, kBusyCarrierBit, false);
  }
  record[kFlagsAt] = flags;
}

}  // namespace korvel
