// The message boxes: caption, icon, buttons, and the answer given back.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

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
    int press;  // a standard button, or 0 for Escape
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

}  // namespace
}  // namespace korvel::testing
