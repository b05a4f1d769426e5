#include "offscreen_app.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>

namespace korvel::test {
namespace {

// Qt's own checks of thread use only warn; in the tests they fail, so a
// widget or timer touched from a transfer's thread cannot pass unnoticed.
void FailOnThreadWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtDebugMsg && type != QtInfoMsg && message.contains(QLatin1String("thread"), Qt::CaseInsensitive)) {
    ADD_FAILURE() << "Qt: " << message.toStdString();
  }
  if (type == QtFatalMsg) abort();
}

}  // namespace

QApplication& EnsureApplication() {
  if (auto* existing = qobject_cast<QApplication*>(QApplication::instance())) return *existing;
  qInstallMessageHandler(FailOnThreadWarnings);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "korvel-tests";
  static char* argv[] = {name, nullptr};
  return *new QApplication(argc, argv);
}

void ClickButton(QWidget& widget, const QString& text) {
  for (QPushButton* button : widget.findChildren<QPushButton*>())
    if (button->text() == text) return button->click();
  ADD_FAILURE() << "no button " << text.toStdString();
}

}  // namespace korvel::test
