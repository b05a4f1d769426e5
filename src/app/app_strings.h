#pragma once
// The program's own texts: window title, status-bar texts and the string
// table of command prompts and tooltips.

#include <QString>

namespace korvel {

// The program's title, with its two blanks.
inline constexpr const char* kFrameTitle = "Korvel Electronics  Programing Software";
// The title bar: "radio.sin[*] - " and the program's title; "[*]" is where
// the window shows "*" while the document is modified.
QString FrameTitle(const QString& documentName);
// Idle text of the status bar's message pane.
QString IdleText();
// Message pane text while context help waits for a click.
QString ContextHelpText();

// The string-table entry of a command: the status-bar prompt before "\n",
// the tooltip after it. Empty for commands without an entry.
QString CommandString(int id);
QString CommandPrompt(int id);
QString CommandTooltip(int id);

}  // namespace korvel
