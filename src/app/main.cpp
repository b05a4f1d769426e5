// korvel: the desktop programming software.
#include <QApplication>
#include <QIcon>
#include <QSettings>

#include "app/file_chooser.h"
#include "app/kov_app.h"
#include "app/qt_prompter.h"
#include "app/recent_file_list.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QString::fromLatin1(korvel::kSettingsOrganisation));
  QApplication::setApplicationName(QString::fromLatin1(korvel::kSettingsApplication));
  QApplication::setDesktopFileName(QStringLiteral("korvel"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/korvel/icons/korvel.svg")));

  korvel::QtPrompter prompter;
  QSettings settings;
  korvel::DialogFileChooser chooser(settings);
  korvel::CKovApp app(prompter, chooser, settings);
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  if (!app.InitInstance(arguments)) return 1;
  return QApplication::exec();
}
