// korvel-cli's prompter: what the flags answer (by the question's id, never
// by its text), what the terminal answers, what a run without a terminal
// gets, and how each prompt and its detail are printed.

#include "terminal_prompter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "link/transfer_texts.h"
#include "testmode/texts.h"
#include "command_run.h"
#include "test_files.h"

namespace korvel::cli {
namespace {

struct Asked {
  PromptId id;
  Buttons buttons;
  const char* text;
  Answer answer;  // the answer expected
  const char* detail = "";
};

struct PrompterCase {
  const char* name;
  PromptAnswers answers;
  bool interactive;
  std::string input;  // what the terminal would type
  std::vector<Asked> prompts;
  std::string output;  // everything printed, in order
};

std::string S(const char* text) { return text; }

TEST(TerminalPrompter, AnswersAndOutput) {
  const std::string ce = texts::kCommunicationError;
  const std::string tm = texts::kTypeMismatch;
  const std::string retryCancel = "[R]etry / [C]ancel? ";
  // The two questions the flags answer, and the answer expected.
  const auto communication = [](Answer answer) {
    return Asked{PromptId::CommunicationError, Buttons::RetryCancel, texts::kCommunicationError, answer};
  };
  const auto mismatch = [](Answer answer) {
    return Asked{PromptId::TypeMismatch, Buttons::OkCancel, texts::kTypeMismatch, answer};
  };

  const Answer retry = Answer::Retry, cancel = Answer::Cancel, ok = Answer::Ok;
  const PrompterCase cases[] = {
      {"flags answer their own questions; retries run out", {.acceptTypeMismatch = true, .communicationRetries = 2},
       false, "",
       {communication(retry), communication(retry), communication(cancel), mismatch(ok), mismatch(ok)},
       ce + "\n(Retry)\n" + ce + "\n(Retry)\n" + ce + "\n(Cancel)\n" + tm + "\n(OK)\n" + tm + "\n(OK)\n"},

      {"--retries of align answers only the test exchange's question", {.testRetries = 1}, false, "",
       {communication(cancel), {PromptId::TestExchangeError, Buttons::RetryCancel, texts::kTestError, retry},
        {PromptId::TestExchangeError, Buttons::RetryCancel, texts::kTestError, cancel}},
       ce + "\n(Cancel)\n" + texts::kTestError + "\n(Retry)\n" + texts::kTestError + "\n(Cancel)\n"},

      {"flags leave every other question alone, whatever its text",
       {.acceptTypeMismatch = true, .communicationRetries = 1}, false, "",
       {{PromptId::SendOrderError, Buttons::RetryCancel, texts::kSendOrderError, cancel},
        {PromptId::TestExchangeError, Buttons::RetryCancel, texts::kCommunicationError, cancel},
        {PromptId::Message, Buttons::OkCancel, texts::kTypeMismatch, cancel},
        {PromptId::SaveChanges, Buttons::YesNoCancel, "Save?", cancel},
        // The one retry is still there for the question it answers.
        communication(retry)},
       S(texts::kSendOrderError) + "\n(Cancel)\n" + ce + "\n(Cancel)\n" + tm + "\n(Cancel)\nSave?\n(Cancel)\n" + ce +
           "\n(Retry)\n"},

      {"without a terminal every question is cancelled and a message acknowledged", {}, false, "r\n",
       {communication(cancel), mismatch(cancel), {PromptId::Message, Buttons::Ok, texts::kShortReply, ok}},
       ce + "\n(Cancel)\n" + tm + "\n(Cancel)\n" + texts::kShortReply + "\n"},

      {"the terminal is read until an answer fits, up to its end", {}, true, "x\n\n  R\nok\nc\n",
       {communication(retry),
        // An OK box takes nothing from the terminal.
        {PromptId::Message, Buttons::Ok, texts::kProgramInterrupt, ok}, mismatch(ok), communication(cancel),
        // End of input leaves nobody to answer.
        communication(cancel)},
       ce + "\n" + retryCancel + retryCancel + retryCancel + texts::kProgramInterrupt + "\n" + tm +
           "\n[O]K / [C]ancel? " + ce + "\n" + retryCancel + ce + "\n" + retryCancel + "\n"},

      {"a flag answers before the terminal is asked", {.acceptTypeMismatch = true}, true, "c\n",
       {mismatch(ok), communication(cancel)}, tm + "\n(OK)\n" + ce + "\n" + retryCancel},

      {"the system's detail follows the text in parentheses", {}, true, "r\n",
       {{PromptId::PortNotOpened, Buttons::Ok, texts::kPortNotOpened, ok, "COM3: open: Device or resource busy"},
        {PromptId::CommunicationError, Buttons::RetryCancel, texts::kCommunicationError, retry,
         "/dev/ttyUSB0: read: Input/output error"}},
       S(texts::kPortNotOpened) + "\n(COM3: open: Device or resource busy)\n" + ce +
           "\n(/dev/ttyUSB0: read: Input/output error)\n" + retryCancel},
  };

  for (const PrompterCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::FILE* in = std::tmpfile();
    ASSERT_NE(in, nullptr);
    std::fputs(c.input.c_str(), in);
    std::rewind(in);
    test::MemoryStream out;
    TerminalPrompter prompter(c.answers, in, out.File(), c.interactive);
    for (const Asked& asked : c.prompts) {
      SCOPED_TRACE(asked.text);
      Prompt prompt{asked.text, asked.buttons};
      prompt.id = asked.id;
      prompt.detail = asked.detail;
      EXPECT_EQ(prompter.Ask(prompt), asked.answer);
    }
    EXPECT_EQ(out.Text(), c.output);
    std::fclose(in);
  }
}

}  // namespace
}  // namespace korvel::cli
