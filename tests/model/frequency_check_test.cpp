// Frequency validation: the form of the text, format range, band and
// channel step, and the messages each failure shows.

#include "model/frequency_check.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "scripted_prompter.h"

namespace korvel {
namespace {

using test::ScriptedPrompter;

constexpr int kBand67 = 0;
constexpr int kBand136 = 1;
constexpr int kBand240 = 2;
constexpr int kBand460 = 9;

struct CheckCase {
  const char* text;
  int band;
  std::optional<std::string> kept;  // the text the cell takes; nullopt: refused
  std::vector<std::string> messages;
};

const CheckCase kCheckCases[] = {
    {"146.52", kBand136, "146.52000", {}},
    {"145.00625", kBand136, "145.00625", {}},  // 6.25 kHz step
    {"145.005", kBand136, "145.00500", {}},    // 5 kHz step
    {"  136", kBand136, "136.00000", {}},      // band edges included
    {"174.00000 ", kBand136, "174.00000", {}},
    {"256.02", kBand240, "256.02000", {}},  // product just below the whole number: rounded
    {"67", kBand67, "67.00000", {}},
    {"146,52", kBand136, "146.52000", {}},  // a comma is the decimal point
    {"146.", kBand136, "146.00000", {}},
    {"", kBand136, "", {}},                 // empty: nothing checked
    {"145.003", kBand136, std::nullopt, {kStepErrorText}},
    {"450", kBand136, "450.00000", {kOutOfRangeText}},
    {"450.003", kBand136, std::nullopt, {kOutOfRangeText, kStepErrorText}},
    {"66.99999", kBand67, std::nullopt, {kFormatErrorText}},
    {"521.00001", kBand460, std::nullopt, {kFormatErrorText}},
    {"521.00000", kBand460, "521.00000", {kOutOfRangeText}},  // top of the format range, above every band
    {"146.52abc", kBand136, std::nullopt, {kFormatErrorText}},  // nothing after the number is ignored
    {"146.52MHz", kBand136, std::nullopt, {kFormatErrorText}},
    {"146.5.2", kBand136, std::nullopt, {kFormatErrorText}},
    {"146,5.2", kBand136, std::nullopt, {kFormatErrorText}},
    {"1 46.52", kBand136, std::nullopt, {kFormatErrorText}},
    {"abc", kBand136, std::nullopt, {kFormatErrorText}},
    {"-146.52", kBand136, std::nullopt, {kFormatErrorText}},
    {"+146.52", kBand136, std::nullopt, {kFormatErrorText}},
    {"1.4652e2", kBand136, std::nullopt, {kFormatErrorText}},
    {"99999999999", kBand136, std::nullopt, {kFormatErrorText}},
    {".", kBand136, std::nullopt, {kFormatErrorText}},
    {" ", kBand136, std::nullopt, {kFormatErrorText}},
};

TEST(FrequencyCheck, KeepsDropsAndReportsByFormatBandAndStep) {
  for (const CheckCase& c : kCheckCases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\" band " + std::to_string(c.band));
    ScriptedPrompter prompter;
    EXPECT_EQ(CheckFrequency(c.text, c.band, prompter), c.kept);
    EXPECT_EQ(prompter.Texts(), c.messages);
  }
}

TEST(FrequencyCheck, MessagesShowTheirCaptionAndIcon) {
  struct Look {
    const char* text;
    const char* caption;
    Icon icon;
  };
  const Look looks[] = {
      {"66", kAppTitle, Icon::None},
      {"450", "Prompt", Icon::Information},
      {"145.003", kAppTitle, Icon::None},
  };
  for (const Look& look : looks) {
    SCOPED_TRACE(look.text);
    ScriptedPrompter prompter;
    CheckFrequency(look.text, kBand136, prompter);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].caption, look.caption);
    EXPECT_EQ(prompter.asked[0].icon, look.icon);
    EXPECT_EQ(prompter.asked[0].buttons, Buttons::Ok);
  }
}

}  // namespace
}  // namespace korvel
