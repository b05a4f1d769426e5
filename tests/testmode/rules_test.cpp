// What the test mode sends and shows, as values: the BCD encodings of
// frequencies and tones, the refusals of fields that can't be sent, the
// dialog's frequency check, the band base and the tone a combo sends.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "testmode/encoding.h"
#include "testmode/rules.h"

namespace korvel {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <std::size_t N>
std::optional<Bytes> AsBytes(const std::optional<std::array<std::uint8_t, N>>& bytes) {
  if (!bytes) return std::nullopt;
  return Bytes(bytes->begin(), bytes->end());
}

TEST(TestEncoding, FrequenciesAndTonesAsTheRadioReadsThem) {
  const struct {
    const char* text;
    bool tone;
    std::optional<Bytes> sent;  // nullopt: refused before the exchange
  } cases[] = {
      {"136.12500", false, Bytes{0x00, 0x25, 0x61, 0x13}},
      {"146.00000", false, Bytes{0x00, 0x00, 0x60, 0x14}},
      {"  146.52xyz", false, Bytes{0x00, 0x20, 0x65, 0x14}},
      {"1e2", false, Bytes{0x00, 0x00, 0x00, 0x10}},
      {"136.000004", false, Bytes{0x00, 0x00, 0x60, 0x13}},
      {"", false, Bytes{0x00, 0x00, 0x00, 0x00}},
      {"abc", false, Bytes{0x00, 0x00, 0x00, 0x00}},
      {"999.99999", false, Bytes{0x99, 0x99, 0x99, 0x99}},
      {"999.999996", false, std::nullopt},
      {"1000", false, std::nullopt},
      {"-5", false, std::nullopt},
      {"inf", false, std::nullopt},
      {"OFF", true, Bytes{0x00, 0x00}},
      {"67.0", true, Bytes{0x70, 0x06}},
      {"88.5", true, Bytes{0x85, 0x08}},
      {"254.1", true, Bytes{0x41, 0x25}},
      {"D023N", true, Bytes{0x23, 0x80}},
      {"D754I", true, Bytes{0x54, 0xC7}},
      {"d023n", true, Bytes{0x23, 0x80}},
      {"D999N", true, Bytes{0x00, 0x00}},  // no tone of the table: no leading number
      {"999.9", true, Bytes{0x99, 0x99}},
      {"1000", true, std::nullopt},
      {"-1", true, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.tone ? AsBytes(EncodeTestTone(c.text)) : AsBytes(EncodeTestFrequency(c.text)), c.sent);
  }
}

TEST(TestEncoding, RefusalNamesTheFieldThatCantBeSent) {
  const struct {
    const char* rx;
    const char* tx;
    const char* rxTone;
    const char* txTone;
    const char* refusal;
  } cases[] = {
      {"1000", "146", "OFF", "OFF", "The receive frequency \"1000\" cannot be sent: it must be from 0 to 999.99999 MHz."},
      {"146", "-1", "OFF", "OFF", "The transmit frequency \"-1\" cannot be sent: it must be from 0 to 999.99999 MHz."},
      {"146", "146", "-5", "OFF", "The receive tone \"-5\" cannot be sent: it must be a tone of the tone list."},
      {"146", "146", "OFF", "2000", "The transmit tone \"2000\" cannot be sent: it must be a tone of the tone list."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refusal);
    std::string refusal;
    EXPECT_FALSE(BuildTestBlocks(c.rx, c.tx, c.rxTone, c.txTone, 0, &refusal));
    EXPECT_EQ(refusal, c.refusal);
  }
}

TEST(TestModeRules, FrequencyCheckBringsTheTextIntoTheBandAndOntoItsStep) {
  const struct {
    const char* band;
    const char* text;
    StepSize step;
    const char* shown;
  } cases[] = {
      {"136 - 174MHz", "136.0031", StepSize::k5000Hz, "136.00500"},
      {"136 - 174MHz", "136.0031", StepSize::k6250Hz, "136.00000"},
      {"136 - 174MHz", "136.0032", StepSize::k6250Hz, "136.00625"},
      {"136 - 174MHz", "136.0025", StepSize::k5000Hz, "136.00000"},  // 250 rounds down
      {"136 - 174MHz", "136.0026", StepSize::k5000Hz, "136.00500"},
      {"136 - 174MHz", "146.52", StepSize::k5000Hz, "146.52000"},
      {"136 - 174MHz", "146.52", StepSize::k6250Hz, "146.51875"},
      {"136 - 174MHz", "180", StepSize::k5000Hz, "156.00000"},
      {"136 - 174MHz", "100", StepSize::k6250Hz, "136.00000"},
      {"136 - 174MHz", "not a number", StepSize::k5000Hz, "136.00000"},
      {"136 - 174MHz", "nan", StepSize::k5000Hz, "136.00000"},
      {"  67 - 72MHz", "99", StepSize::k5000Hz, "87.00000"},  // above the band's own edge
      {"  67 - 72MHz", "1", StepSize::k5000Hz, "67.00000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.band) + " " + c.text);
    EXPECT_EQ(CheckTestFrequency(c.text, BandBaseMhz(c.band), c.step), c.shown);
  }
}

TEST(TestModeRules, ComboWithoutSelectionSendsTheToneItsTextNames) {
  const struct {
    const char* text;
    const char* sent;
  } cases[] = {
      {"88.5", "88.5"}, {"d023n", "D023N"}, {"D754I", "D754I"}, {"88.50", "OFF"}, {"", "OFF"}, {"xyz", "OFF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ToneToSend(c.text), c.sent);
  }
}

}  // namespace
}  // namespace korvel
