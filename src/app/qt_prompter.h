#pragma once
// Message boxes of the desktop program: each prompt becomes a modal
// QMessageBox over the active window.

#include <QWidget>

#include "model/prompter.h"

namespace korvel {

class QtPrompter : public Prompter {
 public:
  Answer Ask(const Prompt& prompt) override;
};

}  // namespace korvel
