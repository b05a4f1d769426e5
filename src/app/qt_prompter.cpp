#include "app/qt_prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
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
    case Buttons::WriteAgainClose: return QMessageBox::Close;  // Write Again is added by name
  }
  return QMessageBox::Ok;
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
  QPushButton* writeAgain = nullptr;
  if (prompt.buttons == Buttons::WriteAgainClose) {
    writeAgain = box.addButton(QStringLiteral("Write Again"), QMessageBox::AcceptRole);
    box.setDefaultButton(writeAgain);
  }
  const int chosen = box.exec();
  if (writeAgain != nullptr && box.clickedButton() == writeAgain) return Answer::WriteAgain;
  switch (chosen) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Close: return Answer::Close;
    // Escape and the close button count as the box's cancelling answer, as
    // they do on every message box of the program.
    default: return CancellingAnswer(prompt.buttons);
  }
}

}  // namespace korvel
