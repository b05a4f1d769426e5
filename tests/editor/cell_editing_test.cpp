// Cell editing on the real widgets: which editor opens and where, typed
// keys, and commits reaching the document's working copy. The commit rules
// themselves are the model's.

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QScrollBar>

#include "model/document_history.h"
#include "cell_edit_fixture.h"
#include "editor/cell_editing.h"
#include "model/channel_edits.h"
#include "model/frequency_check.h"

namespace korvel::test {
namespace {

TEST_F(EditTest, EnterCommitsTheFrequencyAndOpensTheTransmitCell) {
  Enter(1, 1, "146.52");
  EXPECT_EQ(RowTexts(1), (QStringList{"146.52000", "146.52000", "OFF", "OFF", "Wide", "Yes", "High",
                                      "DTMF", "ON", "Close"}));
  EXPECT_TRUE(document.IsModified());
  // The transmit cell's editor is open, holding its text.
  EXPECT_EQ(Grid().Col(), 2);
  ASSERT_TRUE(Shows(FrequencyBox()));
  EXPECT_EQ(Focus(), FrequencyBox());
  EXPECT_EQ(FrequencyBox()->text(), "146.52000");
  EXPECT_EQ(FrequencyBox()->selectedText(), "146.52000");
  EXPECT_TRUE(FrequencyBox()->geometry().contains(Grid().CellRect().center()));
}

TEST_F(EditTest, ToneChooserCommitsItsTypedTextOnEnterAndOnLeaving) {
  Enter(1, 1, "146.52");
  Enter();  // transmit, then the receive tone chooser opens
  ASSERT_TRUE(Shows(ToneChooser()));
  EXPECT_EQ(ToneChooser()->currentText(), "OFF");
  QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
  Type("d023n");
  Enter();
  EXPECT_EQ(Grid().TextMatrix(1, 3), "D023N");
  ASSERT_TRUE(Shows(ToneChooser()));  // now over the transmit tone
  EXPECT_EQ(Grid().Col(), 4);

  Click(1, 3);
  Type("d754i");
  Click(1, 4);
  EXPECT_EQ(Grid().TextMatrix(1, 3), "D754I");
}

TEST_F(EditTest, KeysOpenEditorsExceptOnScanAndLettersAreRefused) {
  Enter(1, 1, "146.52");
  Click(1, 10);
  QTest::keyClick(Focus(), Qt::Key_Escape);
  GoTo(1, 6);
  Type("1");
  EXPECT_EQ(ShownEditor(), nullptr);
  Type("y");
  EXPECT_EQ(ShownEditor(), nullptr);
  EXPECT_TRUE(prompter.asked.empty());

  GoTo(2, 1);
  Type("a");
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kNumberOnlyText});
  EXPECT_TRUE(Shows(FrequencyBox()));
  EXPECT_EQ(FrequencyBox()->text(), "");  // the refused letter is not taken
  prompter.asked.clear();

  // On a filled cell a digit replaces the text; a letter leaves it, selected.
  GoTo(1, 2);
  Type("4");
  EXPECT_EQ(FrequencyBox()->text(), "4");
  FrequencyBox()->setText("146.52000");
  GoTo(1, 1);
  Type("x");
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kNumberOnlyText});
  EXPECT_EQ(FrequencyBox()->text(), "146.52000");
  EXPECT_EQ(FrequencyBox()->selectedText(), "146.52000");
  prompter.asked.clear();

  // A letter on a chooser cell is refused too, then opens the chooser.
  GoTo(1, 5);
  Type("n");
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kNumberOnlyText});
  EXPECT_TRUE(Shows(OptionChooser(5)));
}

TEST_F(EditTest, ARefusedFrequencyKeepsTheCellAndTheEditorOnTheTypedText) {
  Enter(1, 1, "146.52");
  prompter.asked.clear();
  GoTo(1, 1);
  Type("146.523");
  Enter();
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kStepErrorText});
  EXPECT_EQ(Grid().TextMatrix(1, 1), "146.52000");
  EXPECT_EQ(Grid().Col(), 1);
  ASSERT_TRUE(Shows(FrequencyBox()));
  EXPECT_EQ(Focus(), FrequencyBox());
  EXPECT_EQ(FrequencyBox()->selectedText(), "146.523");

  // Leaving by mouse brings the user back to the refused text.
  prompter.asked.clear();
  Type("600");
  Click(2, 1);
  QApplication::processEvents();
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kFormatErrorText});
  EXPECT_EQ(Grid().TextMatrix(1, 1), "146.52000");
  EXPECT_EQ(Grid().Row(), 1);
  ASSERT_TRUE(Shows(FrequencyBox()));
  EXPECT_EQ(FrequencyBox()->selectedText(), "600");
}

TEST_F(EditTest, FrequencyBoxTakesDigitsAndOneSeparatorOnlyAndNoMoreThanItShows) {
  GoTo(1, 1);
  Type("146,5.x2");
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{kNumberOnlyText, kNumberOnlyText}));
  EXPECT_EQ(FrequencyBox()->text(), "146,52");
  Enter();
  EXPECT_EQ(Grid().TextMatrix(1, 1), "146.52000");
  Click(2, 1);
  Type("146.52000000000000000000000000");
  const QString text = FrequencyBox()->text();
  EXPECT_TRUE(text.startsWith("146.52000"));
  EXPECT_LE(FrequencyBox()->fontMetrics().horizontalAdvance(text), FrequencyBox()->width());
}

TEST_F(EditTest, ToneChooserCompletesAndRefusesWhatNamesNoTone) {
  Enter(1, 1, "146.52");
  struct ToneTyping {
    const char* typed;
    const char* cell;  // the cell's text after Enter
    bool refused;
  };
  const ToneTyping typings[] = {
      {"88", "88.5", false},
      {"d02", "D023N", false},
      {"300", "D023N", true},
  };
  for (const ToneTyping& t : typings) {
    SCOPED_TRACE(t.typed);
    prompter.asked.clear();
    Click(1, 3);
    QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
    Type(t.typed);
    Enter();
    EXPECT_EQ(Grid().TextMatrix(1, 3), t.cell);
    EXPECT_EQ(Shows(ToneChooser()) && Grid().Col() == 3, t.refused);
    EXPECT_EQ(prompter.Texts(), t.refused ? std::vector<std::string>{kUnknownToneText}
                                          : std::vector<std::string>{});
  }
}

TEST_F(EditTest, EscapeClosesTheEditorAndTheCellKeepsItsText) {
  Enter(1, 1, "146.52");
  document.History().MarkSaved();
  GoTo(1, 1);
  Type("147");
  QTest::keyClick(Focus(), Qt::Key_Escape);
  EXPECT_EQ(ShownEditor(), nullptr);
  EXPECT_EQ(Focus(), &Grid());
  Click(1, 5);
  QTest::keyClick(Focus(), Qt::Key_Down);
  QTest::keyClick(Focus(), Qt::Key_Escape);
  GoTo(2, 1);
  EXPECT_EQ(RowTexts(1), (QStringList{"146.52000", "146.52000", "OFF", "OFF", "Wide", "Yes", "High",
                                      "DTMF", "ON", "Close"}));
  EXPECT_FALSE(document.IsModified());
}

TEST_F(EditTest, KeysStayInTheGridAndOpenItsEditorsAndLists) {
  ASSERT_EQ(Focus(), &Grid());
  QTest::keyClick(Focus(), Qt::Key_PageDown);
  EXPECT_GT(Grid().Row(), 1);
  EXPECT_EQ(Bar().ModelList()->currentIndex(), 0);
  EXPECT_EQ(Bar().BandList()->currentIndex(), 1);

  struct Key {
    int column;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool listShown;
  };
  const Key keys[] = {
      {1, Qt::Key_F2, Qt::NoModifier, false},
      {2, Qt::Key_Return, Qt::NoModifier, false},
      {6, Qt::Key_Return, Qt::NoModifier, false},
      {3, Qt::Key_F4, Qt::NoModifier, true},
      {8, Qt::Key_Down, Qt::AltModifier, true},
  };
  for (const Key& k : keys) {
    SCOPED_TRACE(k.column);
    GoTo(3, k.column);
    QTest::keyClick(Focus(), k.key, k.modifiers);
    QWidget* editor = ShownEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Grid().Col(), k.column);
    auto* chooser = qobject_cast<QComboBox*>(editor);
    EXPECT_EQ(chooser != nullptr && chooser->view()->isVisible(), k.listShown);
    if (chooser != nullptr) chooser->hidePopup();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  }
}

TEST_F(EditTest, MouseAndDoubleClickOpenTheEditorOverTheCell) {
  Click(5, 8, Qt::RightButton);
  EXPECT_EQ(ShownEditor(), nullptr);
  Click(5, 8);
  ASSERT_TRUE(Shows(OptionChooser(8)));
  const QRect chooser = OptionChooser(8)->geometry();
  EXPECT_TRUE(chooser.contains(Grid().CellRect()));
  EXPECT_LE(chooser.height(), Grid().CellRect().height() + 4);
  EXPECT_GE(OptionChooser(8)->maxVisibleItems(), 3);

  OptionChooser(8)->hide();
  QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(6, 3));
  EXPECT_TRUE(Shows(ToneChooser()));
  EXPECT_EQ(Grid().Row(), 6);
}

TEST_F(EditTest, EnteringACellPreloadsItsEditorByPrefixIgnoringCase) {
  Enter(1, 1, "146.52");
  Grid().SetTextMatrix(1, 8, "fleet");
  Grid().SetTextMatrix(1, 3, "d02");
  GoTo(1, 8);
  EXPECT_EQ(OptionChooser(8)->currentText(), "FleetSync");
  EXPECT_FALSE(OptionChooser(8)->isVisible());
  GoTo(1, 3);
  EXPECT_EQ(ToneChooser()->currentText(), "D023N");
  Grid().SetTextMatrix(1, 3, "nothing like it");
  GoTo(1, 4);
  GoTo(1, 3);
  EXPECT_EQ(ToneChooser()->currentIndex(), 0);
}

TEST_F(EditTest, ScrollingHidesTheEditorWithoutCommitting) {
  Click(1, 1);
  Type("146.52");
  Grid().verticalScrollBar()->setValue(Grid().verticalScrollBar()->maximum());
  EXPECT_EQ(ShownEditor(), nullptr);
  Grid().verticalScrollBar()->setValue(0);
  Click(2, 1);
  EXPECT_EQ(Grid().TextMatrix(1, 1), "");
}

TEST_F(EditTest, CommitEditBringsAnOpenEditIntoTheDocument) {
  Click(1, 1);
  Type("146.52");
  EXPECT_EQ(document.Channels().Cell(1, 1), "");  // still in the box
  EXPECT_FALSE(document.IsModified());
  view->CommitEdit();
  EXPECT_EQ(ShownEditor(), nullptr);
  EXPECT_EQ(document.Channels().Cell(1, 1), "146.52000");
  EXPECT_TRUE(document.IsModified());
  document.History().MarkSaved();
  view->CommitEdit();  // nothing open: nothing changes
  EXPECT_FALSE(document.IsModified());
}

TEST_F(EditTest, TypedCharactersNeverTouchTheClipboard) {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->setText("keep me");
  Enter(1, 1, "146.52");
  GoTo(1, 3);
  Type("8");
  GoTo(1, 5);
  Type("w");
  GoTo(2, 1);
  Type("x");
  EXPECT_EQ(clipboard->text(), "keep me");
  EXPECT_EQ(ToneChooser()->currentText(), "82.5");  // "8" completed to the first tone
}

TEST_F(EditTest, EditDataTellsHowAndGoesToTheFirstCell) {
  GoTo(20, 7);
  view->OnEditData();
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kEditDataText});
  EXPECT_EQ(Grid().Row(), 1);
  EXPECT_EQ(Grid().Col(), 1);
}

}  // namespace
}  // namespace korvel::test
