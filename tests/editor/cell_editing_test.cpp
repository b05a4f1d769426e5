// Cell editing on the real widgets: which editor opens and where, typed
// keys, and commits reaching the document's working copy. The commit rules
// themselves are the model's (channel_edits_test).

#include <QAbstractItemView>
#include <QClipboard>
#include <QScrollBar>

#include "editor/cell_editing.h"
#include "editor_test_support.h"
#include "model/channel_edits.h"
#include "model/frequency_check.h"

namespace korvel::test {
namespace {

using PromptTexts = std::vector<std::string>;

TEST_F(EditTest, ToneChooserCompletesCommitsOnEnterOrLeavingAndRefusesWhatNamesNoTone) {
  Enter(1, 1, "146.52");
  const struct {
    const char* typed;
    bool byEnter;      // else by a click on the Tx tone cell
    const char* cell;  // the Rx tone cell's text afterwards
    int column;        // where the open chooser is afterwards
    bool refused;
  } typings[] = {
      {"88", true, "88.5", 4, false},
      {"d02", true, "D023N", 4, false},
      {"d754i", false, "D754I", 4, false},
      {"300", true, "D754I", 3, true},
  };
  for (const auto& t : typings) {
    SCOPED_TRACE(t.typed);
    prompter.asked.clear();
    Click(1, 3);
    Key(Qt::Key_A, Qt::ControlModifier);
    Type(t.typed);
    t.byEnter ? Enter() : Click(1, 4);
    EXPECT_EQ(Grid().TextMatrix(1, 3), t.cell);
    EXPECT_TRUE(Shows(ToneChooser()));
    EXPECT_EQ(Grid().Col(), t.column);
    EXPECT_EQ(prompter.Texts(), t.refused ? PromptTexts{kUnknownToneText} : PromptTexts{});
  }
}

// Typed keys open the cell's editor (never on Scan), letters are refused,
// and none of it goes through the clipboard.
TEST_F(EditTest, KeysOpenEditorsExceptOnScanAndLettersAreRefused) {
  QApplication::clipboard()->setText("keep me");
  Enter(1, 1, "146.52");
  Click(1, 10);
  Key(Qt::Key_Escape);
  GoTo(1, 6);
  Type("1y");
  EXPECT_EQ(ShownEditor(), nullptr);
  EXPECT_TRUE(prompter.asked.empty());

  GoTo(2, 1);
  Type("a");
  EXPECT_EQ(prompter.Texts(), PromptTexts{kNumberOnlyText});
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
  EXPECT_EQ(prompter.Texts(), PromptTexts{kNumberOnlyText});
  EXPECT_EQ(FrequencyBox()->selectedText(), "146.52000");
  prompter.asked.clear();

  // A letter on a chooser cell is refused too, then opens the chooser; a
  // digit on a tone cell completes to the first tone it begins.
  GoTo(1, 5);
  Type("n");
  EXPECT_EQ(prompter.Texts(), PromptTexts{kNumberOnlyText});
  EXPECT_TRUE(Shows(OptionChooser(5)));
  GoTo(1, 3);
  Type("8");
  EXPECT_EQ(ToneChooser()->currentText(), "82.5");
  EXPECT_EQ(QApplication::clipboard()->text(), "keep me");
}

TEST_F(EditTest, ARefusedFrequencyKeepsTheCellAndTheEditorOnTheTypedText) {
  Enter(1, 1, "146.52");
  prompter.asked.clear();
  GoTo(1, 1);
  Type("146.523");
  Enter();
  EXPECT_EQ(prompter.Texts(), PromptTexts{kStepErrorText});
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
  EXPECT_EQ(prompter.Texts(), PromptTexts{kFormatErrorText});
  EXPECT_EQ(Grid().TextMatrix(1, 1), "146.52000");
  EXPECT_EQ(Grid().Row(), 1);
  ASSERT_TRUE(Shows(FrequencyBox()));
  EXPECT_EQ(FrequencyBox()->selectedText(), "600");
}

TEST_F(EditTest, FrequencyBoxTakesDigitsAndOneSeparatorOnlyAndNoMoreThanItShows) {
  GoTo(1, 1);
  Type("146,5.x2");
  EXPECT_EQ(prompter.Texts(), (PromptTexts{kNumberOnlyText, kNumberOnlyText}));
  EXPECT_EQ(FrequencyBox()->text(), "146,52");
  Enter();
  EXPECT_EQ(Grid().TextMatrix(1, 1), "146.52000");
  Click(2, 1);
  Type("146.52000000000000000000000000");
  const QString text = FrequencyBox()->text();
  EXPECT_TRUE(text.startsWith("146.52000"));
  EXPECT_LE(FrequencyBox()->fontMetrics().horizontalAdvance(text), FrequencyBox()->width());
}

// Escape, scrolling and moving on without a commit leave the document as it was.
TEST_F(EditTest, EscapeAndScrollingCloseTheEditorAndTheCellKeepsItsText) {
  Enter(1, 1, "146.52");
  const QStringList before = RowTexts(1);
  document.History().MarkSaved();
  GoTo(1, 1);
  Type("147");
  Key(Qt::Key_Escape);
  EXPECT_EQ(ShownEditor(), nullptr);
  EXPECT_EQ(Focus(), &Grid());
  Click(1, 5);
  Key(Qt::Key_Down);
  Key(Qt::Key_Escape);
  Click(1, 1);
  Type("147");
  Grid().verticalScrollBar()->setValue(Grid().verticalScrollBar()->maximum());
  EXPECT_EQ(ShownEditor(), nullptr);
  Grid().verticalScrollBar()->setValue(0);
  Click(2, 1);
  EXPECT_EQ(RowTexts(1), before);
  EXPECT_FALSE(document.IsModified());
}

TEST_F(EditTest, KeysStayInTheGridAndOpenItsEditorsAndLists) {
  ASSERT_EQ(Focus(), &Grid());
  Key(Qt::Key_PageDown);
  EXPECT_GT(Grid().Row(), 1);
  EXPECT_EQ(Bar().ModelList()->currentIndex(), 0);
  EXPECT_EQ(Bar().BandList()->currentIndex(), 1);

  const struct {
    int column;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool listShown;
  } keys[] = {
      {1, Qt::Key_F2, Qt::NoModifier, false},    {2, Qt::Key_Return, Qt::NoModifier, false},
      {6, Qt::Key_Return, Qt::NoModifier, false}, {3, Qt::Key_F4, Qt::NoModifier, true},
      {8, Qt::Key_Down, Qt::AltModifier, true},
  };
  for (const auto& k : keys) {
    SCOPED_TRACE(k.column);
    GoTo(3, k.column);
    Key(k.key, k.modifiers);
    QWidget* editor = ShownEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Grid().Col(), k.column);
    auto* chooser = qobject_cast<QComboBox*>(editor);
    EXPECT_EQ(chooser != nullptr && chooser->view()->isVisible(), k.listShown);
    if (chooser != nullptr) chooser->hidePopup();
    Key(Qt::Key_Escape);
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

TEST_F(EditTest, EditDataTellsHowAndGoesToTheFirstCell) {
  GoTo(20, 7);
  view->OnEditData();
  EXPECT_EQ(prompter.Texts(), PromptTexts{kEditDataText});
  EXPECT_EQ(Grid().Row(), 1);
  EXPECT_EQ(Grid().Col(), 1);
}

}  // namespace
}  // namespace korvel::test
