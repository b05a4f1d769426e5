// korvel: the desktop programming software.
#include <QApplication>
#include <QIcon>
#include <QSettings>
#include <cstdio>

#include "app/command_line.h"
#include "app/file_chooser.h"
#include "app/kov_app.h"
#include "app/qt_prompter.h"
#include "app/recent_file_list.h"
#include "korvel_version.h"

namespace {

QStringList ArgumentsOf(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

int Print(std::FILE* stream, const QString& text, int status) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  return status;
}

}  // namespace

int main(int argc, char* argv[]) {
  using korvel::CommandLineRequest;
  // The help and the version are printed before QApplication exists, so they
  // need no display.
  const CommandLineRequest first = korvel::ReadCommandLine(ArgumentsOf(argc, argv));
  if (first.kind == CommandLineRequest::Kind::kHelp) return Print(stdout, korvel::CommandLineHelp(), 0);
  if (first.kind == CommandLineRequest::Kind::kVersion) return Print(stdout, korvel::VersionText(), 0);

  QApplication application(argc, argv);
  QApplication::setOrganizationName(QString::fromLatin1(korvel::kSettingsOrganisation));
  QApplication::setApplicationName(QString::fromLatin1(korvel::kSettingsApplication));
  QApplication::setApplicationVersion(QString::fromLatin1(korvel::kVersion));
  QApplication::setDesktopFileName(QStringLiteral("korvel"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/korvel/icons/korvel.svg")));

  // What is left once QApplication has taken out its own options, as Qt
  // reads them: on Windows from the wide command line, so a file's name
  // outside the ANSI code page arrives whole.
  const CommandLineRequest request = korvel::ReadCommandLine(QCoreApplication::arguments().mid(1));
  if (request.kind == CommandLineRequest::Kind::kRefused)
    return Print(stderr, QStringLiteral("korvel: %1\nTry 'korvel --help'.\n").arg(request.refusal), 2);

  korvel::QtPrompter prompter;
  QSettings settings;
  korvel::DialogFileChooser chooser(settings);
  korvel::CKovApp app(prompter, chooser, settings);
  if (!app.InitInstance(request.file.isEmpty() ? QStringList() : QStringList{request.file})) return 1;
  return QApplication::exec();
}
