#include "scripted_prompter.h"

namespace korvel::test {

Answer ScriptedPrompter::Ask(const Prompt& prompt) {
  {
    std::lock_guard lock(mutex_);
    asked.push_back(prompt);
  }
  // Unlocked: what onAsk sets off may ask again from another thread.
  if (onAsk) onAsk(prompt);
  std::lock_guard lock(mutex_);
  if (answers.empty()) return CancellingAnswer(prompt.buttons);
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::vector<std::string> ScriptedPrompter::Texts() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> texts;
  for (const Prompt& prompt : asked) texts.push_back(prompt.text);
  return texts;
}

std::vector<PromptId> ScriptedPrompter::Ids() const {
  std::lock_guard lock(mutex_);
  std::vector<PromptId> ids;
  for (const Prompt& prompt : asked) ids.push_back(prompt.id);
  return ids;
}

}  // namespace korvel::test
