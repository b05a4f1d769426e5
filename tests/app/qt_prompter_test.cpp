// The message boxes: caption, icon, buttons, and the answer given back.
#include <QAbstractButton>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>

#include "app/qt_prompter.h"
#include "app_test_support.h"

namespace korvel::testing {
namespace {

TEST(QtPrompter, ShowsCaptionIconAndButtonsAndReturnsTheAnswer) {
  EnsureApplication();
  const struct {
    Prompt prompt;
    QMessageBox::StandardButtons shown;
    QMessageBox::Icon icon;
    int press;  // a standard button, 0 for Escape, -1 for the default button
    Answer expected;
  } cases[] = {
      {{"Done"}, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::Ok, Answer::Ok},
      {{"Done"}, QMessageBox::Ok, QMessageBox::NoIcon, 0, Answer::Ok},
      {{"Save?", Buttons::YesNoCancel, "Own", Icon::Question}, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
       QMessageBox::Question, QMessageBox::No, Answer::No},
      {{"Save?", Buttons::YesNoCancel}, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
       QMessageBox::NoIcon, 0, Answer::Cancel},
      {{"Go?", Buttons::OkCancel, kAppTitle, Icon::Warning}, QMessageBox::Ok | QMessageBox::Cancel,
       QMessageBox::Warning, QMessageBox::Cancel, Answer::Cancel},
      {{"Again?", Buttons::RetryCancel, kAppTitle, Icon::Information}, QMessageBox::Retry | QMessageBox::Cancel,
       QMessageBox::Information, QMessageBox::Retry, Answer::Retry},
      {{"Half", Buttons::WriteAgainClose}, QMessageBox::Close, QMessageBox::NoIcon, -1, Answer::WriteAgain},
      {{"Half", Buttons::WriteAgainClose}, QMessageBox::Close, QMessageBox::NoIcon, 0, Answer::Close},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prompt.text + " " + std::to_string(c.press));
    QString caption, text;
    QMessageBox::StandardButtons shown;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      caption = box->windowTitle();
      text = box->text();
      shown = box->standardButtons();
      icon = box->icon();
      if (c.press == 0)
        QTest::keyClick(box, Qt::Key_Escape);
      else if (c.press < 0)
        box->defaultButton()->click();
      else
        box->button(QMessageBox::StandardButton(c.press))->click();
    });
    QtPrompter prompter;
    EXPECT_EQ(prompter.Ask(c.prompt), c.expected);
    EXPECT_EQ(caption.toStdString(), c.prompt.caption);
    EXPECT_EQ(text.toStdString(), c.prompt.text);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(icon, c.icon);
  }
}

TEST(QtPrompter, AskedFromAWorkerTheBoxIsShownOnTheInterfaceThreadWithItsDetail) {
  EnsureApplication();
  QtPrompter prompter;
  Prompt prompt{"Again?", Buttons::RetryCancel};
  prompt.detail = "/dev/ttyUSB0: Input/output error";
  std::atomic<bool> answered{false};
  Answer answer = Answer::Cancel;
  std::thread worker([&] {
    answer = prompter.Ask(prompt);
    answered = true;
  });
  // The box runs its own loop inside the event loop run here; a timer
  // answers it from there.
  QThread* boxThread = nullptr;
  QString detail;
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxThread = box->thread();
      detail = box->informativeText();
      box->button(QMessageBox::Retry)->click();
    }
  });
  answerer.start(10);
  WaitUntil([&] { return answered.load(); }, 10000);
  worker.join();
  EXPECT_EQ(answer, Answer::Retry);
  EXPECT_EQ(boxThread, QApplication::instance()->thread());
  EXPECT_EQ(detail.toStdString(), prompt.detail);
}

}  // namespace
}  // namespace korvel::testing
