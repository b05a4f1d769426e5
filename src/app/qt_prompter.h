#pragma once
// Message boxes of the desktop program: each prompt becomes a modal
// QMessageBox over the active window, shown on the interface thread
// whichever thread asks.

#include <QWidget>

#include "model/prompter.h"

namespace korvel {

class QtPrompter : public Prompter {
 public:
  // From another thread, blocks that thread until the box is answered.
  Answer Ask(const Prompt& prompt) override;

 private:
  static Answer Show(const Prompt& prompt);
};

}  // namespace korvel
