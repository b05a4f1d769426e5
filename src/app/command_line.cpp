#include "app/command_line.h"

#include "korvel_version.h"

namespace korvel {

CommandLineRequest ReadCommandLine(const QStringList& arguments) {
  CommandLineRequest request;
  QStringList files;
  bool options = true;
  for (const QString& argument : arguments) {
    if (options && argument == QLatin1String("--")) {
      options = false;
    } else if (options && (argument == QLatin1String("-h") || argument == QLatin1String("--help"))) {
      return {CommandLineRequest::Kind::kHelp, {}, {}};
    } else if (options && (argument == QLatin1String("-v") || argument == QLatin1String("--version"))) {
      return {CommandLineRequest::Kind::kVersion, {}, {}};
    } else if (options && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
      request.kind = CommandLineRequest::Kind::kRefused;
      request.refusal = QStringLiteral("unknown option '%1'").arg(argument);
    } else {
      files << argument;
    }
  }
  if (request.kind == CommandLineRequest::Kind::kRefused) return request;
  if (files.size() > 1) {
    request.kind = CommandLineRequest::Kind::kRefused;
    request.refusal = QStringLiteral("one channel data file at a time, not %1").arg(files.size());
    return request;
  }
  if (!files.isEmpty()) request.file = files.constFirst();
  return request;
}

QString CommandLineHelp() {
  return QStringLiteral(
      "Usage: korvel [OPTION]... [FILE]\n"
      "Korvel, the programming software of the KR - 100, KR - 200 and KR - 300 radios: reads, edits and\n"
      "writes their channels and features. Opens FILE, a channel data file (.sin), or starts with a new one.\n"
      "\n"
      "Options:\n"
      "  -h, --help     print this help and exit\n"
      "  -v, --version  print the version and exit\n"
      "  --             take what follows as the file name, even if it begins with '-'\n"
      "\n"
      "Qt's own options, such as -platform NAME, -display DISPLAY and -style STYLE, are taken too.\n");
}

QString VersionText() { return QStringLiteral("korvel %1\n").arg(QLatin1String(kVersion)); }

}  // namespace korvel
