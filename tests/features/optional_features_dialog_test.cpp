// What only the optional features dialog does: which control shows which
// value, how OK, Cancel and the keys close it, the timer's spin, the radio
// text entry rules and the message for an over-long text. The load and store
// rules themselves are tested on images in tests/model.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <functional>

#include "model/document_history.h"
#include "features/optional_features_dialog.h"
#include "model/kov_document.h"
#include "offscreen_app.h"
#include "scripted_prompter.h"

namespace korvel {
namespace {

using test::ClickButton;

class FeaturesDialogTest : public ::testing::Test {
 public:
  void SetUp() override { test::EnsureApplication(); document.OnNewDocument(); }

  // Opens the dialog on the document's image as it is now.
  void Open() {
    dialog = std::make_unique<COptionalFeaturesDlg>(document, prompter);
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  }
  template <typename T>
  T* Control(const char* name) const {
    T* control = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // Types into a field as the user does: everything in it replaced.
  static void TypeOver(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }
  std::string Bytes(std::size_t offset, std::size_t count) const {
    return std::string(document.Image().begin() + offset, document.Image().begin() + offset + count);
  }

  CKovDoc document;
  test::ScriptedPrompter prompter;
  std::unique_ptr<COptionalFeaturesDlg> dialog;
};

TEST_F(FeaturesDialogTest, EachControlShowsItsValueAndTheVoxBoxesStayHidden) {
  const std::uint8_t settings[] = {0xF0, 0xA8, 0x01, 7, 9, 3, 5};  // 0x810..0x816
  std::copy(std::begin(settings), std::end(settings), document.Image().begin() + 0x810);
  std::copy_n("12AB", 4, document.Image().begin() + 0x820);
  std::copy_n("KORVEL", 6, document.Image().begin() + 0x830);
  Open();
  EXPECT_EQ(Control<QSpinBox>("timeOutTimer")->text(), "270");
  EXPECT_EQ(Control<QComboBox>("squelch")->currentText(), "7");
  EXPECT_EQ(Control<QComboBox>("language")->currentText(), "Off");
  EXPECT_EQ(Control<QComboBox>("voxGain")->currentText(), "3");
  EXPECT_EQ(Control<QComboBox>("voxDelay")->currentText(), "3.0");
  EXPECT_EQ(Control<QLineEdit>("aniCode")->text(), "12AB");
  EXPECT_EQ(Control<QLineEdit>("radioName")->text(), "KORVEL");
  // The Vox boxes are hidden and disabled whatever their bits say.
  QStringList boxes;
  for (const QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
    const bool shown = box->isVisible() || box->isEnabled();
    boxes << box->text() + (!shown ? ": hidden" : box->isChecked() ? ": on" : ": off");
  }
  EXPECT_EQ(boxes, (QStringList{"Beep: off", "Scrambler Activation: off", "Vox Function: hidden",
                                "Vox Inhibit On Recieve: hidden", "Battery Save: off", "Begin of Tx: on",
                                "End of Tx: on"}));
}

TEST_F(FeaturesDialogTest, OkAndEnterStoreAndMarkTheDocumentCancelEscapeAndCloseBoxDoNot) {
  using Step = std::function<void(FeaturesDialogTest&)>;
  const Step changeAll = [](FeaturesDialogTest& t) {
    t.Control<QSpinBox>("timeOutTimer")->setValue(1);
    t.Control<QComboBox>("squelch")->setCurrentIndex(9);
    t.Control<QComboBox>("language")->setCurrentIndex(0);
    t.Control<QComboBox>("voxGain")->setCurrentIndex(10);
    t.Control<QComboBox>("voxDelay")->setCurrentIndex(1);
    for (QCheckBox* box : t.dialog->findChildren<QCheckBox*>())
      if (box->isVisible()) box->click();
    TypeOver(t.Control<QLineEdit>("aniCode"), "a1");
    TypeOver(t.Control<QLineEdit>("radioName"), "ham7");
  };
  const struct {
    const char* name;
    Step change;
    Step close;
    bool stored;
  } rows[] = {
      {"OK unchanged", [](FeaturesDialogTest&) {}, [](FeaturesDialogTest& t) { ClickButton(*t.dialog, "OK"); }, false},
      {"OK", changeAll, [](FeaturesDialogTest& t) { ClickButton(*t.dialog, "OK"); }, true},
      {"Enter in the radio name", changeAll,
       [](FeaturesDialogTest& t) { QTest::keyClick(t.Control<QLineEdit>("radioName"), Qt::Key_Return); }, true},
      {"Cancel", changeAll, [](FeaturesDialogTest& t) { ClickButton(*t.dialog, "Cancel"); }, false},
      {"Escape in the ANI", changeAll,
       [](FeaturesDialogTest& t) { QTest::keyClick(t.Control<QLineEdit>("aniCode"), Qt::Key_Escape); }, false},
      {"close box", changeAll, [](FeaturesDialogTest& t) { t.dialog->close(); }, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    document.OnNewDocument();
    document.History().Reset();
    const MemoryImage before = document.Image();
    Open();
    row.change(*this);
    row.close(*this);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(document.IsModified(), row.stored);
    if (!row.stored) {
      EXPECT_EQ(document.Image(), before);
      continue;
    }
    // 0x810..0x816: PTT ID both, function flags inverted and Chinese, squelch 9,
    // 30 s, gain 10, delay 0.5.
    EXPECT_EQ(Bytes(0x810, 7), std::string("\x30\xA8\x83\x09\x01\x0A\x01", 7));
    EXPECT_EQ(Bytes(0x820, 3), "A1\xFF");
    EXPECT_EQ(Bytes(0x830, 5), "HAM7\xFF");
  }
}

TEST_F(FeaturesDialogTest, TheTimerShowsOffOrSecondsAndStoresThePositionShown) {
  const struct {
    std::uint8_t stored;
    std::function<void(QSpinBox*)> act;
    const char* shown;
    std::uint8_t expected;
  } rows[] = {
      {9, [](QSpinBox* s) { QTest::keyClick(s, Qt::Key_Up); }, "270", 9},
      {0, [](QSpinBox* s) { QTest::keyClick(s, Qt::Key_Down); }, "OFF", 0},
      {1, [](QSpinBox* s) { QTest::keyClick(s, Qt::Key_Down); }, "OFF", 0},
      {2, [](QSpinBox* s) { s->selectAll(), QTest::keyClicks(s, "150"); }, "150", 5},
      {2, [](QSpinBox* s) { s->selectAll(), QTest::keyClicks(s, "off"); }, "off", 0},
      {2, [](QSpinBox* s) { s->selectAll(), QTest::keyClicks(s, "45"); }, "60", 2},
      {2, [](QSpinBox* s) { s->selectAll(), QTest::keyClicks(s, "27"); }, "27", 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << int(row.stored) << " -> " << row.shown);
    document.Image()[0x814] = row.stored;
    Open();
    auto* spin = Control<QSpinBox>("timeOutTimer");
    spin->setFocus();
    row.act(spin);
    EXPECT_EQ(spin->text(), row.shown);
    ClickButton(*dialog, "OK");
    EXPECT_EQ(document.Image()[0x814], row.expected);
  }
}

TEST_F(FeaturesDialogTest, RadioTextsTakeTheirCharactersByTypingAndPastingAndLetTheKeysThrough) {
  const struct {
    const char* edit;
    std::function<void(QLineEdit*)> act;
    const char* expected;
  } rows[] = {
      {"aniCode", [](QLineEdit* e) { QTest::keyClicks(e, "1a g-Fz9"); }, "1AF9"},
      {"aniCode", [](QLineEdit* e) { QTest::keyClicks(e, "123456"); }, "1234"},
      {"aniCode", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_6, Qt::KeypadModifier); }, "6"},
      {"radioName", [](QLineEdit* e) { QTest::keyClicks(e, "ab c.Z9xyz"); }, "ABCZ9X"},
      {"radioName",
       [](QLineEdit* e) {
         QApplication::clipboard()->setText("a b.c");
         e->paste();
       },
       "ABC"},
      {"radioName",
       [](QLineEdit* e) {
         QTest::keyClicks(e, "ac");
         QTest::keyClick(e, Qt::Key_Left);
         QTest::keyClick(e, Qt::Key_B);
         QTest::keyClick(e, Qt::Key_Home);
         QTest::keyClick(e, Qt::Key_Delete);
       },
       "BC"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    Open();
    auto* edit = Control<QLineEdit>(row.edit);
    edit->setFocus();
    row.act(edit);
    EXPECT_EQ(edit->text(), row.expected);
    // Tab leaves the field and Shift+Tab comes back: no keyboard trap.
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), edit);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), edit);
  }
}

// A text read from the image can be longer than its limit: OK names the
// field and its limit, leaves the focus there and stores nothing; the text
// can only shrink until it fits.
TEST_F(FeaturesDialogTest, AnOverLongTextIsReportedOnOkAndStoredOnceShortened) {
  std::copy_n("ABCDE", 5, document.Image().begin() + 0x820);
  document.History().Reset();
  const MemoryImage before = document.Image();
  Open();
  auto* ani = Control<QLineEdit>("aniCode");
  EXPECT_EQ(ani->text(), "ABCDE");
  ClickButton(*dialog, "OK");
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, "ANI holds at most 4 characters; it has 5.");
  EXPECT_EQ(prompter.asked[0].caption, kAppTitle);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), ani);
  EXPECT_EQ(document.Image(), before);
  EXPECT_FALSE(document.IsModified());

  QTest::keyClick(ani, Qt::Key_End);
  QTest::keyClick(ani, Qt::Key_Backspace);
  QTest::keyClick(ani, Qt::Key_F);
  EXPECT_EQ(ani->text(), "ABCD");
  ClickButton(*dialog, "OK");
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(Bytes(0x820, 5), "ABCD\xFF");
}

// Text typed into a list's field stores the item it names, in any case, and
// otherwise the value the list was loaded with.
TEST_F(FeaturesDialogTest, AListStoresTheItemItsTextNamesElseItsLoadedValue) {
  const struct {
    const char* list;
    const char* typed;
    std::size_t offset;
    std::uint8_t expected;
  } rows[] = {
      {"language", "chinese", 0x812, 0xD7}, {"language", "Deutsch", 0x812, 0xD6},
      {"voxGain", "off", 0x815, 0},         {"voxGain", "12", 0x815, 9},
      {"voxDelay", "2.0", 0x816, 4},        {"squelch", "", 0x813, 4},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.list << " " << row.typed);
    document.OnNewDocument();
    Open();
    TypeOver(Control<QComboBox>(row.list)->lineEdit(), QString::fromLatin1(row.typed));
    ClickButton(*dialog, "OK");
    EXPECT_EQ(document.Image()[row.offset], row.expected);
  }
}

}  // namespace
}  // namespace korvel
