// Frequency validation: format range, band and channel step.

#include <gtest/gtest.h>

#include "model/frequency_check.h"
#include "editor_test_support.h"

namespace korvel::test {
namespace {

constexpr int kBand136 = 1;
constexpr int kBand240 = 2;

TEST(FrequencyCheckTest, AcceptsStepsOfBothRastersSilently) {
  ScriptedPrompter prompter;
  EXPECT_EQ(CheckFrequency("146.52", kBand136, prompter), "146.52000");
  EXPECT_EQ(CheckFrequency("145.00625", kBand136, prompter), "145.00625");  // 6.25 kHz
  EXPECT_EQ(CheckFrequency("145.005", kBand136, prompter), "145.00500");    // 5 kHz
  EXPECT_EQ(CheckFrequency("  136", kBand136, prompter), "136.00000");      // band edges included
  EXPECT_EQ(CheckFrequency("174.00000", kBand136, prompter), "174.00000");
  // A product just below the whole number is rounded, not truncated.
  EXPECT_EQ(CheckFrequency("256.02", kBand240, prompter), "256.02000");
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(CheckFrequency("", kBand136, prompter), "");
  EXPECT_TRUE(prompter.asked.empty());
}

TEST(FrequencyCheckTest, OffStepIsReportedAndDropped) {
  ScriptedPrompter prompter;
  EXPECT_EQ(CheckFrequency("145.003", kBand136, prompter), "");
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, kStepErrorText);
  EXPECT_EQ(prompter.asked[0].caption, kAppTitle);
}

TEST(FrequencyCheckTest, OutsideTheBandIsReportedAndKept) {
  ScriptedPrompter prompter;
  EXPECT_EQ(CheckFrequency("450", kBand136, prompter), "450.00000");
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, kOutOfRangeText);
  EXPECT_EQ(prompter.asked[0].caption, "Prompt");
  EXPECT_EQ(prompter.asked[0].icon, Icon::Information);
  EXPECT_EQ(prompter.asked[0].buttons, Buttons::Ok);

  // Off the band and off the step: both messages, and the step drops it.
  prompter.asked.clear();
  EXPECT_EQ(CheckFrequency("450.003", kBand136, prompter), "");
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{kOutOfRangeText, kStepErrorText}));
}

TEST(FrequencyCheckTest, FormatRangeBoundsHoldForEveryBand) {
  for (int band = 0; band < 10; ++band) {
    ScriptedPrompter prompter;
    EXPECT_EQ(CheckFrequency("66.99999", band, prompter), "");
    EXPECT_EQ(CheckFrequency("521.00001", band, prompter), "");
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{kFormatErrorText, kFormatErrorText}));
    // The top of the format range is above every band.
    prompter.asked.clear();
    EXPECT_EQ(CheckFrequency("521.00000", band, prompter), "521.00000");
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kOutOfRangeText}) << band;
  }
  ScriptedPrompter prompter;
  EXPECT_EQ(CheckFrequency("67", 0, prompter), "67.00000");
  EXPECT_TRUE(prompter.asked.empty());
}

TEST(FrequencyCheckTest, UnreadableNegativeAndHugeNumbersAreFormatErrors) {
  for (const char* text : {"abc", "-146.52", "1e10", "99999999999", ".", " "}) {
    ScriptedPrompter prompter;
    EXPECT_EQ(CheckFrequency(text, kBand136, prompter), "") << text;
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kFormatErrorText}) << text;
  }
  // Trailing text after the number is ignored, as the number reader does.
  ScriptedPrompter prompter;
  EXPECT_EQ(CheckFrequency("146.52MHz", kBand136, prompter), "146.52000");
}

}  // namespace
}  // namespace korvel::test
