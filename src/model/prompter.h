#pragma once
// Every message box and question of the program goes through Prompter, so
// the window shows it, the command-line tool prints or asks it, and tests
// answer it.

#include <string>

namespace korvel {

inline constexpr const char* kAppTitle = "Korvel Electronics Programing Software";

enum class Buttons { Ok, OkCancel, RetryCancel, YesNoCancel };
enum class Icon { None, Information, Warning, Question };
enum class Answer { Ok, Cancel, Retry, Yes, No };

struct Prompt {
  std::string text;
  Buttons buttons = Buttons::Ok;
  std::string caption = kAppTitle;
  Icon icon = Icon::None;
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows the prompt and returns the button chosen.
  virtual Answer Ask(const Prompt& prompt) = 0;
  void Tell(const std::string& text) { Ask(Prompt{text}); }
};

}  // namespace korvel
