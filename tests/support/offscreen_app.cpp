#include "offscreen_app.h"

#include <QApplication>

namespace korvel::test {

QApplication& EnsureApplication() {
  if (auto* existing = qobject_cast<QApplication*>(QApplication::instance())) return *existing;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "korvel-tests";
  static char* argv[] = {name, nullptr};
  return *new QApplication(argc, argv);
}

}  // namespace korvel::test
