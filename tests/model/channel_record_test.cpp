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

using Bytes4 = std::array<std::uint8_t, 4>;
constexpr Bytes4 kNone = {0xFF, 0xFF, 0xFF, 0xFF};

Bytes4 Frequency(const char* text) {
  Bytes4 b{};
  EncodeFrequency(text, b.data());
  return b;
}

TEST(FrequencyCodec, TextsAreReadAsAtofDoesAndStoredLowestByteFirstBcd) {
  const struct {
    const char* text;
    std::uint32_t units;
    Bytes4 bytes;
  } cases[] = {
      {"146.52000", 14652000, {0x00, 0x20, 0x65, 0x14}},
      {"67.00000", 6700000, {0x00, 0x00, 0x70, 0x06}},
      {"520.00000", 52000000, {0x00, 0x00, 0x00, 0x52}},
      // 256.02 * 100000 is a little below the whole number in double precision.
      {"256.02000", 25602000, {0x00, 0x20, 0x60, 0x25}},
      {"145.00625", 14500625, {0x25, 0x06, 0x50, 0x14}},
      {"  146.52", 14652000, {0x00, 0x20, 0x65, 0x14}},
      {"146.52MHz", 14652000, {0x00, 0x20, 0x65, 0x14}},
      {"+1.465e2", 14650000, {0x00, 0x00, 0x65, 0x14}},
      {"abc", 0, kNone},
      {"", 0, kNone},
      {"-146.52", 0, kNone},
      {"1e30", 0, kNone},
      {"0.000001", 0, kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FrequencyTextToUnits(c.text), c.units);
    EXPECT_EQ(Frequency(c.text), c.bytes);
  }
}

// A highest byte of 0x00 or 0xFF is no frequency. Digits that are not
// decimal (bytes no radio writes) would show a frequency no save could
// store: they read as no frequency too, and a record holding only such a
// frequency is not in use.
TEST(FrequencyCodec, DecodesDecimalDigitsUnderAHighestByteInUse) {
  const struct {
    Bytes4 bytes;
    const char* text;
  } cases[] = {
      {{0x00, 0x20, 0x65, 0x14}, "146.52000"}, {{0x00, 0x00, 0x70, 0x06}, "67.00000"},
      {{0x00, 0x20, 0x65, 0x00}, ""},          {{0x00, 0x20, 0x65, 0xFF}, ""},
      {{0x00, 0x00, 0x00, 0x1A}, ""},          {{0x00, 0x00, 0x00, 0xFA}, ""},
      {{0x0A, 0x25, 0x61, 0x13}, ""},          {{0x00, 0x00, 0xA0, 0x14}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    Record r = Blank();
    std::copy(c.bytes.begin(), c.bytes.end(), r.begin() + 4);  // the transmit frequency
    const ChannelTexts texts = Decode(r);
    EXPECT_EQ(texts[kTxFrequency], c.text);
    EXPECT_EQ(texts.AllEmpty(), *c.text == '\0');
    if (*c.text == '\0') {
      EXPECT_EQ(DecodeFrequencyUnits(c.bytes.data()), 0u);
    }
  }
}

TEST(ToneCodec, EncodesCtcssDcsAndOff) {
  const struct {
    const char* text;
    ToneCode code;
  } cases[] = {
      {"88.5", {0x08, 0x85}}, {"100.0", {0x10, 0x00}}, {"D023N", {0x80, 0x23}}, {"D754I", {0xC7, 0x54}},
      {"OFF", {0xFF, 0xFF}},  {"", {0xFF, 0xFF}},
      {"d023n", {0xFF, 0xFF}},  // the DCS test is case-sensitive: a lower-case name is read as a number
      {"D023", {0xC0, 0x23}},   // anything but "N" after a "D" gives the inverted polarity
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EncodeTone(c.text), c.code);
  }
}

// Non-decimal digits (bytes no radio writes) read as no tone, which is
// what a save then stores: opening and saving again changes nothing.
TEST(ToneCodec, DecodesByHighByteRange) {
  const struct {
    std::uint8_t high;
    std::uint8_t low;
    const char* text;
  } cases[] = {
      {0x08, 0x85, "88.5"},  {0x25, 0x41, "254.1"}, {0x80, 0x23, "D023N"}, {0x87, 0x54, "D754N"},
      {0xC7, 0x54, "D754I"}, {0x80, 0x07, "D07N"},  // two digits only
      {0xFF, 0xFF, "OFF"},   {0x00, 0x12, "OFF"},   {0xFE, 0xC5, "OFF"},   {0x08, 0x8A, "OFF"},
      {0x1A, 0x00, "OFF"},   {0x80, 0xF0, "OFF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.high) + " " + std::to_string(c.low));
    EXPECT_EQ(DecodeTone(c.high, c.low, true), c.text);
  }
  EXPECT_EQ(DecodeTone(0xFF, 0xFF, false), "");
}

// (A record without frequency decodes empty: DecodesDecimalDigitsUnderAHighestByteInUse.)
TEST(ChannelRecord, EmptyTextsEncodeTheEmptyChannelPattern) {
  Record r = Blank();
  EncodeChannel(ChannelTexts{}, ChannelRecord(r));
  const Record expected = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                           0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xC5, 0xFE, 0xFF};
  EXPECT_EQ(r, expected);
}

TEST(ChannelRecord, TransmitOnlyChannelIsInUse) {
  Record r = Blank();
  r[4] = 0x00; r[5] = 0x20; r[6] = 0x65; r[7] = 0x14;
  r[12] = 2; r[13] = 0x38; r[14] = 0x01;
  EXPECT_EQ(Decode(r).text, (std::array<std::string, kChannelFieldCount>{
                                "", "146.52000", "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"}));
}

TEST(ChannelRecord, OptionsDecodeFromFlagBits) {
  Record r = Blank();
  r[0] = r[1] = r[2] = 0x00;
  r[3] = 0x14;  // 140.00000 MHz: the channel is in use
  const char* const busy[] = {"Close", "Close", "Carrier", "Carrier", "QT/DQT", "QT/DQT", "Close", "Close"};
  for (std::uint8_t flags = 0; flags < 8; ++flags) {
    r[13] = flags;
    EXPECT_EQ(Decode(r)[kBusyLock], busy[flags]) << int(flags);
    EXPECT_EQ(Decode(r)[kTxPower], "Low");
  }
  const char* const signal[] = {"None", "", "DTMF", "", "FleetSync", ""};
  for (std::uint8_t value : {0, 1, 2, 3, 4, 5, 0xFF}) {
    r[12] = value;
    EXPECT_EQ(Decode(r)[kOptSignal], value < 6 ? signal[value] : "") << int(value);
  }
}

TEST(ChannelRecord, EncodingOptionsTouchesOnlyTheirBits) {
  Record r = Blank();
  r[13] = 0b11000111;  // unnamed bits 7, 6, 0 set; busy bits 2-1 both set
  r[14] = 0xA0;
  r[15] = 0x5A;
  ChannelTexts t = Decode(r);
  t[kRxFrequency] = "146.52000";
  t[kOptSignal] = "";  // an unknown signalling value is written back as 0
  t[kPttId] = "ON";
  // Any other busy-lock text is written as QT/DQT.
  for (const auto& [text, bits] : {std::pair{"Close", 0x00}, {"Carrier", 0x02}, {"QT/DQT", 0x04}, {"other", 0x04}}) {
    SCOPED_TRACE(text);
    t[kBusyLock] = text;
    EncodeChannel(t, ChannelRecord(r));
    EXPECT_EQ(r[13], 0b11000001 | bits);
    EXPECT_EQ(r[14], 0xA1);
    EXPECT_EQ(r[15], 0x5A);
    EXPECT_EQ(r[12], 0);
  }
}

}  // namespace
}  // namespace korvel
