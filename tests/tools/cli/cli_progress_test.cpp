// What a terminal shows of a transfer: one status line with a bar, redrawn
// in place, the phases on lines of their own, and messages below it.

#include "cli_progress.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "scripted_prompter.h"
#include "command_run.h"
#include "test_files.h"

namespace korvel::test {
namespace {

using cli::CliProgress;

// The status line as drawn: a bar of 40, the position of 264, the status.
std::string Drawn(int filled, int position, const std::string& status) {
  char count[16];
  std::snprintf(count, sizeof count, "%3d/264", position);
  return "\r\033[K[" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(40 - filled), '.') + "] " + count + "  " + status;
}

TEST(CliProgress, WhatTheTerminalShows) {
  const struct {
    const char* name;
    bool terminal;
    std::function<void(CliProgress&)> events;
    std::string shown;
  } cases[] = {
      {"only a terminal gets the bar", false,
       [](CliProgress& p) { p.ShowPhases(true); p.Phase(TransferPhase::Verify); p.Progress(10); p.EndLine(); },
       ""},
      {"status and bar redrawn in place, the line ended once", true,
       [](CliProgress& p) { p.StatusText("Reading 1"); p.Progress(132); p.EndLine(); p.EndLine(); },
       Drawn(0, 0, "Reading 1") + Drawn(20, 132, "Reading 1") + "\n"},
      {"a position past the end is a full bar", true, [](CliProgress& p) { p.Progress(300); }, Drawn(40, 264, "")},
      {"each phase on a line of its own, then a new bar", true,
       [](CliProgress& p) { p.ShowPhases(true); p.Progress(264); p.Phase(TransferPhase::Verify); p.Progress(7); },
       Drawn(40, 264, "") + "\nVerifying…\n" + Drawn(1, 7, "")},
      {"without ShowPhases a phase only starts a new bar", true,
       [](CliProgress& p) { p.StatusText("a"); p.Phase(TransferPhase::Write); p.Progress(33); },
       Drawn(0, 0, "a") + Drawn(5, 33, "")},
      {"a question starts below the bar", true,
       [](CliProgress& p) {
         ScriptedPrompter answers;
         p.Progress(66);
         cli::PromptsBelowProgress(answers, p).Ask(Prompt{"?", Buttons::Ok});
         p.Progress(67);
       },
       Drawn(10, 66, "") + "\n" + Drawn(10, 67, "")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryStream out;
    CliProgress progress(out.File(), c.terminal);
    c.events(progress);
    EXPECT_EQ(out.Text(), c.shown);
  }
}

}  // namespace
}  // namespace korvel::test
