#pragma once
// What korvel's command line asks for: its help or its version printed, or
// the window started on a new document or on one channel data file. Qt's
// own options (-platform, -display, -style...) are not among the arguments
// read here: QApplication takes them out first.

#include <QString>
#include <QStringList>

namespace korvel {

struct CommandLineRequest {
  enum class Kind { kStart, kHelp, kVersion, kRefused };
  Kind kind = Kind::kStart;
  // kStart: the channel data file to open, empty for a new document.
  QString file;
  // kRefused: what is wrong, for standard error.
  QString refusal;
};

// `arguments` without the program's name. "--" ends the options, so a file
// whose name begins with '-' can follow it.
CommandLineRequest ReadCommandLine(const QStringList& arguments);

// The texts --help and --version print.
QString CommandLineHelp();
QString VersionText();

}  // namespace korvel
