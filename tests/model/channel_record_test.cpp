#include "model/channel_record.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace korvel {
namespace {

using Record = std::array<std::uint8_t, 16>;

Record Blank() {
  Record r;
  r.fill(0xFF);
  return r;
}

ChannelTexts Decode(const Record& r) { return DecodeChannel(ConstChannelRecord(r)); }

std::array<std::uint8_t, 4> Frequency(const char* text) {
  std::array<std::uint8_t, 4> b{};
  EncodeFrequency(text, b.data());
  return b;
}

TEST(FrequencyCodec, EncodesTextsAsLowestByteFirstBcd) {
  EXPECT_EQ(Frequency("146.52000"), (std::array<std::uint8_t, 4>{0x00, 0x20, 0x65, 0x14}));
  EXPECT_EQ(Frequency("67.00000"), (std::array<std::uint8_t, 4>{0x00, 0x00, 0x70, 0x06}));
  EXPECT_EQ(Frequency("520.00000"), (std::array<std::uint8_t, 4>{0x00, 0x00, 0x00, 0x52}));
  // 256.02 * 100000 is a little below the whole number in double precision.
  EXPECT_EQ(Frequency("256.02000"), (std::array<std::uint8_t, 4>{0x00, 0x20, 0x60, 0x25}));
  EXPECT_EQ(Frequency("145.00625"), (std::array<std::uint8_t, 4>{0x25, 0x06, 0x50, 0x14}));
}

TEST(FrequencyCodec, ReadsTextsTheWayAtofDoes) {
  EXPECT_EQ(FrequencyTextToUnits("  146.52"), 14652000u);
  EXPECT_EQ(FrequencyTextToUnits("146.52MHz"), 14652000u);
  EXPECT_EQ(FrequencyTextToUnits("+1.465e2"), 14650000u);
  EXPECT_EQ(FrequencyTextToUnits("abc"), 0u);
  EXPECT_EQ(FrequencyTextToUnits(""), 0u);
  EXPECT_EQ(FrequencyTextToUnits("-146.52"), 0u);
  EXPECT_EQ(FrequencyTextToUnits("1e30"), 0u);
  EXPECT_EQ(Frequency(""), (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Frequency("0.000001"), (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(FrequencyCodec, DecodesEmptyWhenHighestByteIsZeroOrFF) {
  Record r = Blank();
  r[0] = 0x00; r[1] = 0x20; r[2] = 0x65; r[3] = 0x00;  // digits below a zero high byte
  EXPECT_EQ(Decode(r)[kRxFrequency], "");
  r[3] = 0x14;
  EXPECT_EQ(Decode(r)[kRxFrequency], "146.52000");
  EXPECT_EQ(FormatFrequency(6700000), "67.00000");
}

// Digits that are not decimal (bytes no radio writes) would show a
// frequency no save could store: they read as no frequency, and a record
// holding only such a frequency is not in use.
TEST(FrequencyCodec, NonDecimalNibblesReadAsNoFrequency) {
  for (const std::array<std::uint8_t, 4> bytes :
       {std::array<std::uint8_t, 4>{0x00, 0x00, 0x00, 0x1A}, {0x00, 0x00, 0x00, 0xFA}, {0x0A, 0x25, 0x61, 0x13}}) {
    SCOPED_TRACE(std::to_string(bytes[3]));
    EXPECT_EQ(DecodeFrequencyUnits(bytes.data()), 0u);
    std::array<std::uint8_t, 16> record{};
    record.fill(0xFF);
    std::copy(bytes.begin(), bytes.end(), record.begin() + 4);  // the transmit frequency
    EXPECT_TRUE(DecodeChannel(ConstChannelRecord(record)).AllEmpty());
  }
}

TEST(ToneCodec, EncodesCtcssDcsAndOff) {
  EXPECT_EQ(EncodeTone("88.5"), (ToneCode{0x08, 0x85}));
  EXPECT_EQ(EncodeTone("100.0"), (ToneCode{0x10, 0x00}));
  EXPECT_EQ(EncodeTone("D023N"), (ToneCode{0x80, 0x23}));
  EXPECT_EQ(EncodeTone("D754I"), (ToneCode{0xC7, 0x54}));
  EXPECT_EQ(EncodeTone("OFF"), (ToneCode{0xFF, 0xFF}));
  EXPECT_EQ(EncodeTone(""), (ToneCode{0xFF, 0xFF}));
  // The DCS test is case-sensitive: a lower-case name is read as a number.
  EXPECT_EQ(EncodeTone("d023n"), (ToneCode{0xFF, 0xFF}));
  // Anything but "N" after a "D" gives the inverted polarity.
  EXPECT_EQ(EncodeTone("D023"), (ToneCode{0xC0, 0x23}));
}

TEST(ToneCodec, DecodesByHighByteRange) {
  EXPECT_EQ(DecodeTone(0x08, 0x85, true), "88.5");
  EXPECT_EQ(DecodeTone(0x25, 0x41, true), "254.1");
  EXPECT_EQ(DecodeTone(0x80, 0x23, true), "D023N");
  EXPECT_EQ(DecodeTone(0x87, 0x54, true), "D754N");
  EXPECT_EQ(DecodeTone(0xC7, 0x54, true), "D754I");
  EXPECT_EQ(DecodeTone(0x80, 0x07, true), "D07N");  // two digits only
  EXPECT_EQ(DecodeTone(0xFF, 0xFF, true), "OFF");
  EXPECT_EQ(DecodeTone(0x00, 0x12, true), "OFF");
  EXPECT_EQ(DecodeTone(0xFF, 0xFF, false), "");
  // Non-decimal digits (bytes no radio writes) read as no tone, which is
  // what a save then stores: opening and saving again changes nothing.
  for (const auto [high, low] : {std::pair{0xFE, 0xC5}, {0x08, 0x8A}, {0x1A, 0x00}, {0x80, 0xF0}}) {
    SCOPED_TRACE(std::to_string(high) + " " + std::to_string(low));
    EXPECT_EQ(DecodeTone(static_cast<std::uint8_t>(high), static_cast<std::uint8_t>(low), true), "OFF");
    const ToneCode off = EncodeTone("OFF");
    EXPECT_EQ(DecodeTone(off.high, off.low, true), "OFF");
  }
}

TEST(ChannelRecord, EmptyRecordDecodesEmptyAndEncodesTheEmptyChannelPattern) {
  Record r = Blank();
  const ChannelTexts texts = Decode(r);
  EXPECT_TRUE(texts.AllEmpty());
  EncodeChannel(texts, ChannelRecord(r));
  const Record expected = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                           0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC5, 0xFE, 0xFF};
  EXPECT_EQ(r, expected);
}

TEST(ChannelRecord, TransmitOnlyChannelIsInUse) {
  Record r = Blank();
  r[4] = 0x00; r[5] = 0x20; r[6] = 0x65; r[7] = 0x14;
  r[12] = 2; r[13] = 0x38; r[14] = 0x01;
  const ChannelTexts t = Decode(r);
  EXPECT_EQ(t[kRxFrequency], "");
  EXPECT_EQ(t[kTxFrequency], "146.52000");
  EXPECT_EQ(t[kRxTone], "OFF");
  EXPECT_EQ(t[kTxTone], "OFF");
  EXPECT_EQ(t[kBandwidth], "Wide");
  EXPECT_EQ(t[kScan], "Yes");
  EXPECT_EQ(t[kTxPower], "High");
  EXPECT_EQ(t[kOptSignal], "DTMF");
  EXPECT_EQ(t[kPttId], "ON");
  EXPECT_EQ(t[kBusyLock], "Close");
}

TEST(ChannelRecord, OptionsDecodeFromFlagBits) {
  Record r = Blank();
  r[0] = r[1] = r[2] = 0x00;
  r[3] = 0x14;  // 140.00000 MHz: the channel is in use
  struct Case { std::uint8_t flags; const char* busy; };
  for (Case c : {Case{0b000, "Close"}, Case{0b001, "Close"}, Case{0b110, "Close"}, Case{0b111, "Close"},
                 Case{0b010, "Carrier"}, Case{0b011, "Carrier"}, Case{0b100, "QT/DQT"}, Case{0b101, "QT/DQT"}}) {
    r[13] = c.flags;
    EXPECT_EQ(Decode(r)[kBusyLock], c.busy) << int(c.flags);
    EXPECT_EQ(Decode(r)[kTxPower], "Low");
  }
  for (int value : {1, 3, 5, 0xFF}) {
    r[12] = static_cast<std::uint8_t>(value);
    EXPECT_EQ(Decode(r)[kOptSignal], "") << value;
  }
  r[12] = 4;
  EXPECT_EQ(Decode(r)[kOptSignal], "FleetSync");
  r[12] = 0;
  EXPECT_EQ(Decode(r)[kOptSignal], "None");
}

TEST(ChannelRecord, EncodingOptionsTouchesOnlyTheirBits) {
  Record r = Blank();
  r[13] = 0b11000111;  // unnamed bits 7, 6, 0 set; busy bits 2-1 both set
  r[14] = 0xA0;
  r[15] = 0x5A;
  ChannelTexts t = Decode(r);
  t[kRxFrequency] = "146.52000";
  t[kBusyLock] = "Close";
  t[kOptSignal] = "";  // an unknown signalling value is written back as 0
  t[kPttId] = "ON";
  EncodeChannel(t, ChannelRecord(r));
  EXPECT_EQ(r[13], 0b11000001);
  EXPECT_EQ(r[14], 0xA1);
  EXPECT_EQ(r[15], 0x5A);
  EXPECT_EQ(r[12], 0);
  t[kBusyLock] = "Carrier";
  EncodeChannel(t, ChannelRecord(r));
  EXPECT_EQ(r[13] & 0x06, 0x02);
  t[kBusyLock] = "QT/DQT";
  EncodeChannel(t, ChannelRecord(r));
  EXPECT_EQ(r[13] & 0x06, 0x04);
  t[kBusyLock] = "something else";
  EncodeChannel(t, ChannelRecord(r));
  EXPECT_EQ(r[13] & 0x06, 0x04);
}

}  // namespace
}  // namespace korvel
