#pragma once
// The one prompter double of the tests: records every prompt and answers
// from a script, then with the box's cancelling answer (OK for an OK box).

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "model/prompter.h"

namespace korvel::test {

class ScriptedPrompter : public Prompter {
 public:
  Answer Ask(const Prompt& prompt) override;

  // Texts and ids of the prompts asked so far, in order.
  std::vector<std::string> Texts() const;
  std::vector<PromptId> Ids() const;

  // Safe to read once the asking thread has finished.
  std::deque<Answer> answers;
  std::vector<Prompt> asked;
  // Called with each prompt as it is asked, to look at the world the user
  // sees at that moment (is the port still held?).
  std::function<void(const Prompt&)> onAsk;

 private:
  mutable std::mutex mutex_;  // a transfer may ask from a worker thread
};

}  // namespace korvel::test
