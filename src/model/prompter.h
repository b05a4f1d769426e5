#pragma once
// Every message box and question of the program goes through Prompter, so
// the window shows it, the command-line tool prints or asks it, and tests
// answer it.

#include <string>

namespace korvel {

inline constexpr const char* kAppTitle = "Korvel Electronics Programing Software";

enum class Buttons { Ok, OkCancel, RetryCancel, YesNoCancel, WriteAgainClose };
enum class Icon { None, Information, Warning, Question };
enum class Answer { Ok, Cancel, Retry, Yes, No, WriteAgain, Close };

// The answer of a box closed without choosing (Escape, the close box, or
// nobody there to answer): OK where it is the only button, Close beside
// Write Again, else Cancel.
inline Answer CancellingAnswer(Buttons buttons) {
  if (buttons == Buttons::Ok) return Answer::Ok;
  return buttons == Buttons::WriteAgainClose ? Answer::Close : Answer::Cancel;
}

// Names the question a prompt asks, so that whoever answers it (the
// command-line flags, a test) recognises it without comparing its text.
enum class PromptId {
  Message,             // any message that is only acknowledged
  SaveChanges,         // Yes/No/Cancel before replacing a changed document
  PortNotOpened,
  CommunicationError,  // Retry/Cancel during the handshake
  TypeMismatch,        // OK/Cancel: write to a radio of another type
  SendOrderError,      // Retry/Cancel: the handshake acknowledgement could not be sent
  ConnectionLost,      // the port failed in the middle of a transfer
  TestExchangeError,   // Retry/Cancel during a test exchange
  LongFile,            // OK/Cancel: write a file longer than an image
  PartialWrite,        // Write Again/Close: a write left the radio partly written
};

struct Prompt {
  std::string text;
  Buttons buttons = Buttons::Ok;
  std::string caption = kAppTitle;
  Icon icon = Icon::None;
  PromptId id = PromptId::Message;
  // What the system reported (a device or path and its reason), shown below
  // the text; empty when there is nothing to add.
  std::string detail = {};
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows the prompt and returns the button chosen.
  virtual Answer Ask(const Prompt& prompt) = 0;
  void Tell(const std::string& text) { Ask(Prompt{text}); }
};

}  // namespace korvel
