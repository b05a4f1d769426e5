// The message boxes: caption, icon, buttons, and the answer given back.
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "app/qt_prompter.h"
#include "app_test_support.h"

namespace korvel::testing {
namespace {

struct Seen {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Asks prompt and, once the box is up, records it and lets act answer it.
Answer AskAndAnswer(const Prompt& prompt, Seen& seen, std::function<void(QMessageBox&)> act) {
  EnsureApplication();
  QTimer::singleShot(0, [&seen, act] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
    act(*box);
  });
  QtPrompter prompter;
  return prompter.Ask(prompt);
}

void Press(QMessageBox& box, QMessageBox::StandardButton which) {
  if (QAbstractButton* button = box.button(which)) button->click();
}

TEST(QtPrompter, ShowsTheTextWithTheAppTitleAndAnOkButton) {
  Seen seen;
  const Answer answer = AskAndAnswer(Prompt{"Nothing to say"}, seen, [](QMessageBox& box) { Press(box, QMessageBox::Ok); });
  EXPECT_EQ(answer, Answer::Ok);
  EXPECT_EQ(seen.caption, "Korvel Electronics Programing Software");
  EXPECT_EQ(seen.text, "Nothing to say");
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(QtPrompter, ReturnsTheButtonPressed) {
  const struct {
    Buttons buttons;
    QMessageBox::StandardButton press;
    Answer expected;
  } cases[] = {
      {Buttons::YesNoCancel, QMessageBox::Yes, Answer::Yes},
      {Buttons::YesNoCancel, QMessageBox::No, Answer::No},
      {Buttons::YesNoCancel, QMessageBox::Cancel, Answer::Cancel},
      {Buttons::OkCancel, QMessageBox::Ok, Answer::Ok},
      {Buttons::OkCancel, QMessageBox::Cancel, Answer::Cancel},
      {Buttons::RetryCancel, QMessageBox::Retry, Answer::Retry},
      {Buttons::RetryCancel, QMessageBox::Cancel, Answer::Cancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.expected));
    Seen seen;
    Prompt prompt{"Choose", c.buttons, "Own caption", Icon::Question};
    EXPECT_EQ(AskAndAnswer(prompt, seen, [&c](QMessageBox& box) { Press(box, c.press); }), c.expected);
    EXPECT_EQ(seen.caption, "Own caption");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_TRUE(seen.buttons.testFlag(c.press));
  }
}

TEST(QtPrompter, EscapeCancelsAQuestionAndAcknowledgesAMessage) {
  Seen seen;
  auto escape = [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); };
  EXPECT_EQ(AskAndAnswer(Prompt{"Save?", Buttons::YesNoCancel}, seen, escape), Answer::Cancel);
  EXPECT_EQ(AskAndAnswer(Prompt{"Done", Buttons::Ok, kAppTitle, Icon::Warning}, seen, escape), Answer::Ok);
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
}

}  // namespace
}  // namespace korvel::testing
