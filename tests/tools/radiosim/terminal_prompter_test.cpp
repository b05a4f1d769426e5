// korvel-cli's prompter: what the flags answer, what the terminal answers,
// and what a run without a terminal gets.

#include "terminal_prompter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "link/transfer_texts.h"

namespace korvel::cli {
namespace {

// A prompter reading `input` and writing into a buffer.
class PrompterRun {
 public:
  PrompterRun(PromptAnswers answers, const std::string& input, bool interactive) : input_(input) {
    in_ = fmemopen(input_.data(), input_.size(), "r");
    out_ = open_memstream(&buffer_, &size_);
    prompter_.emplace(answers, in_, out_, interactive);
  }
  ~PrompterRun() {
    std::fclose(in_);
    std::fclose(out_);
    std::free(buffer_);
  }
  Answer Ask(const char* text, Buttons buttons) { return prompter_->Ask(Prompt{text, buttons}); }
  std::string Output() {
    std::fflush(out_);
    return std::string(buffer_, size_);
  }

 private:
  std::string input_;
  std::FILE* in_ = nullptr;
  std::FILE* out_ = nullptr;
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  std::optional<TerminalPrompter> prompter_;
};

TEST(TerminalPrompter, FlagsAnswerTheirOwnQuestionsOnly) {
  PromptAnswers answers;
  answers.acceptTypeMismatch = true;
  answers.communicationRetries = 2;
  PrompterRun run(answers, "", /*interactive=*/false);
  EXPECT_EQ(run.Ask(texts::kCommunicationError, Buttons::RetryCancel), Answer::Retry);
  EXPECT_EQ(run.Ask(texts::kCommunicationError, Buttons::RetryCancel), Answer::Retry);
  EXPECT_EQ(run.Ask(texts::kCommunicationError, Buttons::RetryCancel), Answer::Cancel) << "retries used up";
  EXPECT_EQ(run.Ask(texts::kTypeMismatch, Buttons::OkCancel), Answer::Ok);
  // The retry count is for the communication error, not for any Retry button.
  EXPECT_EQ(PrompterRun(answers, "", false).Ask(texts::kSendOrderError, Buttons::RetryCancel), Answer::Cancel);
}

TEST(TerminalPrompter, WithoutATerminalEveryQuestionIsCancelled) {
  PrompterRun run({}, "r\n", /*interactive=*/false);
  EXPECT_EQ(run.Ask(texts::kCommunicationError, Buttons::RetryCancel), Answer::Cancel);
  EXPECT_EQ(run.Ask(texts::kTypeMismatch, Buttons::OkCancel), Answer::Cancel);
  EXPECT_EQ(run.Ask(texts::kShortReply, Buttons::Ok), Answer::Ok);
  EXPECT_EQ(run.Output(), std::string(texts::kCommunicationError) + "\n(Cancel)\n" + texts::kTypeMismatch +
                              "\n(Cancel)\n" + texts::kShortReply + "\n");
}

TEST(TerminalPrompter, TerminalAnswersAreReadUntilOneFits) {
  PrompterRun run({}, "x\n\n  R\nok\nc\n", /*interactive=*/true);
  EXPECT_EQ(run.Ask(texts::kCommunicationError, Buttons::RetryCancel), Answer::Retry);
  // An OK box takes nothing from the terminal.
  EXPECT_EQ(run.Ask(texts::kProgramInterrupt, Buttons::Ok), Answer::Ok);
  EXPECT_EQ(run.Ask(texts::kTypeMismatch, Buttons::OkCancel), Answer::Ok);
  EXPECT_EQ(run.Ask(texts::kCommunicationError, Buttons::RetryCancel), Answer::Cancel);
  // End of input leaves nobody to answer.
  EXPECT_EQ(run.Ask(texts::kCommunicationError, Buttons::RetryCancel), Answer::Cancel);
  const std::string out = run.Output();
  EXPECT_EQ(out.rfind(std::string(texts::kCommunicationError) + "\n[R]etry / [C]ancel? ", 0), 0u) << out;
  EXPECT_NE(out.find(std::string(texts::kTypeMismatch) + "\n[O]K / [C]ancel? "), std::string::npos) << out;
}

}  // namespace
}  // namespace korvel::cli
