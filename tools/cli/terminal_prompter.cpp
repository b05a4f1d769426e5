#include "terminal_prompter.h"

#include <cctype>
#include <cstring>


namespace korvel::cli {

namespace {

// Each button with the key that picks it.
struct Choice {
  Answer answer;
  char key;
};

int ChoicesOf(Buttons buttons, Choice* choices) {
  switch (buttons) {
    case Buttons::Ok:
      choices[0] = {Answer::Ok, 'o'};
      return 1;
    case Buttons::OkCancel:
      choices[0] = {Answer::Ok, 'o'};
      choices[1] = {Answer::Cancel, 'c'};
      return 2;
    case Buttons::RetryCancel:
      choices[0] = {Answer::Retry, 'r'};
      choices[1] = {Answer::Cancel, 'c'};
      return 2;
    case Buttons::YesNoCancel:
      choices[0] = {Answer::Yes, 'y'};
      choices[1] = {Answer::No, 'n'};
      choices[2] = {Answer::Cancel, 'c'};
      return 3;
    case Buttons::WriteAgainClose:
      choices[0] = {Answer::WriteAgain, 'w'};
      choices[1] = {Answer::Close, 'c'};
      return 2;
  }
  return 0;
}

}  // namespace

const char* AnswerText(Answer answer) {
  switch (answer) {
    case Answer::Ok: return "OK";
    case Answer::Cancel: return "Cancel";
    case Answer::Retry: return "Retry";
    case Answer::Yes: return "Yes";
    case Answer::No: return "No";
    case Answer::WriteAgain: return "Write Again";
    case Answer::Close: return "Close";
  }
  return "?";
}

std::string ButtonsText(Buttons buttons) {
  Choice choices[3];
  const int n = ChoicesOf(buttons, choices);
  std::string text;
  for (int i = 0; i < n; ++i) {
    if (i) text += " / ";
    const std::string name = AnswerText(choices[i].answer);
    text += '[';
    text += name.substr(0, 1);
    text += ']';
    text += name.substr(1);
  }
  return text;
}

TerminalPrompter::TerminalPrompter(PromptAnswers answers, std::FILE* in, std::FILE* out, bool interactive)
    : answers_(answers), in_(in), out_(out), interactive_(interactive) {}

bool TerminalPrompter::Scripted(const Prompt& prompt, Answer* answer) {
  if (prompt.buttons == Buttons::Ok) {
    *answer = Answer::Ok;
    return true;
  }
  if (prompt.id == PromptId::TypeMismatch && answers_.acceptTypeMismatch) {
    *answer = Answer::Ok;
    return true;
  }
  if (prompt.id == PromptId::CommunicationError && answers_.communicationRetries > 0) {
    --answers_.communicationRetries;
    *answer = Answer::Retry;
    return true;
  }
  if (prompt.id == PromptId::LongFile && answers_.acceptLongFile) {
    *answer = Answer::Ok;
    return true;
  }
  if (prompt.id == PromptId::TestExchangeError && answers_.testRetries > 0) {
    --answers_.testRetries;
    *answer = Answer::Retry;
    return true;
  }
  return false;
}

Answer TerminalPrompter::Ask(const Prompt& prompt) {
  ++asked_;
  std::fprintf(out_, "%s\n", prompt.text.c_str());
  if (!prompt.detail.empty()) std::fprintf(out_, "(%s)\n", prompt.detail.c_str());
  Answer answer = CancellingAnswer(prompt.buttons);
  if (Scripted(prompt, &answer)) {
    if (prompt.buttons != Buttons::Ok) std::fprintf(out_, "(%s)\n", AnswerText(answer));
  } else if (interactive_) {
    answer = AskTerminal(prompt);
  } else {
    std::fprintf(out_, "(%s)\n", AnswerText(answer));
  }
  std::fflush(out_);
  return answer;
}

Answer TerminalPrompter::AskTerminal(const Prompt& prompt) {
  Choice choices[3];
  const int n = ChoicesOf(prompt.buttons, choices);
  char line[128];
  for (;;) {
    std::fprintf(out_, "%s? ", ButtonsText(prompt.buttons).c_str());
    std::fflush(out_);
    if (!std::fgets(line, sizeof line, in_)) {
      // End of input: nobody is left to answer.
      std::fputc('\n', out_);
      return CancellingAnswer(prompt.buttons);
    }
    const char* p = line;
    while (*p == ' ' || *p == '\t') ++p;
    const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    for (int i = 0; i < n; ++i)
      if (key == choices[i].key) return choices[i].answer;
  }
}

}  // namespace korvel::cli
