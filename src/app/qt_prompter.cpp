#include "app/qt_prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace korvel {
namespace {

QMessageBox::Icon BoxIcon(Icon icon) {
  switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// Escape and the close button count as the box's cancelling answer, as
// they do on every message box of the program.
Answer EscapeAnswer(Buttons buttons) {
  return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

}  // namespace

Answer QtPrompter::Ask(const Prompt& prompt) {
  // Message boxes live on the interface thread. A transfer on a worker
  // thread waits there until the user has answered.
  QCoreApplication* app = QCoreApplication::instance();
  if (app != nullptr && QThread::currentThread() != app->thread()) {
    Answer answer = Answer::Cancel;
    QMetaObject::invokeMethod(
        app, [&] { answer = Show(prompt); }, Qt::BlockingQueuedConnection);
    return answer;
  }
  return Show(prompt);
}

Answer QtPrompter::Show(const Prompt& prompt) {
  QMessageBox box(BoxIcon(prompt.icon), QString::fromStdString(prompt.caption), QString::fromStdString(prompt.text),
                  BoxButtons(prompt.buttons), QApplication::activeWindow());
  box.setAccessibleName(QString::fromStdString(prompt.caption));
  if (!prompt.detail.empty()) box.setInformativeText(QString::fromStdString(prompt.detail));
  switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return EscapeAnswer(prompt.buttons);
  }
}

}  // namespace korvel
