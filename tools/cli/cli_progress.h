#pragma once
// How a clone transfer shows on the command line: the progress dialog is a
// status line with a bar on standard error (only on a terminal), and every
// message starts on a line of its own.

#include <cstdio>
#include <string>

#include "link/transfer_events.h"
#include "model/prompter.h"

namespace korvel::cli {

class CliProgress final : public TransferEvents {
 public:
  CliProgress(std::FILE* out, bool showProgress) : out_(out), showProgress_(showProgress) {}

  void StatusText(const std::string& text) override;
  void Progress(int position) override;
  // A new bar; with ShowPhases, below a line that names the phase.
  void Phase(TransferPhase phase) override;
  void ShowPhases(bool show) { showPhases_ = show; }
  // Ends the status line, so that what follows starts a line of its own.
  void EndLine();

  const std::string& Status() const { return status_; }
  int Position() const { return position_; }

 private:
  void Draw();

  std::FILE* out_;
  bool showProgress_;
  bool showPhases_ = false;
  bool lineOpen_ = false;
  int position_ = 0;
  std::string status_;
};

// Passes prompts on after ending the progress line.
class PromptsBelowProgress final : public Prompter {
 public:
  PromptsBelowProgress(Prompter& prompter, CliProgress& progress) : prompter_(prompter), progress_(progress) {}
  Answer Ask(const Prompt& prompt) override {
    progress_.EndLine();
    return prompter_.Ask(prompt);
  }

 private:
  Prompter& prompter_;
  CliProgress& progress_;
};

}  // namespace korvel::cli
