#pragma once
// Prompter for korvel-cli: prints every message on standard error and
// answers it from the command-line flags first, then by asking on the
// terminal, and, with no terminal to ask on, with Cancel (OK where that is
// the only button).

#include <cstdio>
#include <string>

#include "model/prompter.h"

namespace korvel::cli {

struct PromptAnswers {
  // OK to " Radio Type are not match ..." instead of Cancel.
  bool acceptTypeMismatch = false;
  // Retry answers to the communication error before Cancel (or asking).
  int communicationRetries = 0;
  // Retry answers to " Error had happen ,need try again" of a test exchange.
  int testRetries = 0;
  // OK to writing a file longer than a channel data file.
  bool acceptLongFile = false;
};

class TerminalPrompter final : public Prompter {
 public:
  // Asks on `in` only when `interactive`; messages and questions go to `out`.
  TerminalPrompter(PromptAnswers answers, std::FILE* in, std::FILE* out, bool interactive);

  Answer Ask(const Prompt& prompt) override;
  int Asked() const { return asked_; }

 private:
  // The answer the flags give, if any.
  bool Scripted(const Prompt& prompt, Answer* answer);
  Answer AskTerminal(const Prompt& prompt);

  PromptAnswers answers_;
  std::FILE* in_;
  std::FILE* out_;
  bool interactive_;
  int asked_ = 0;
};

// The buttons as they are offered: "[O]K / [C]ancel" and so on.
std::string ButtonsText(Buttons buttons);
const char* AnswerText(Answer answer);

}  // namespace korvel::cli
