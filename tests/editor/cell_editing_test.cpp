// Cell editing on the real widgets: which editor opens and where, typed
// keys, and commits reaching the document's working copy. The commit rules
// themselves are the model's.

#include <QClipboard>
#include <QScrollBar>

#include "cell_edit_fixture.h"
#include "editor/cell_editing.h"

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

TEST_F(EditTest, FrequencyBoxTakesNoMoreThanItShows) {
  Click(1, 1);
  Type("146.52000000000000000000000000");
  const QString text = FrequencyBox()->text();
  EXPECT_TRUE(text.startsWith("146.52000"));
  EXPECT_LT(text.size(), 30);
  EXPECT_LE(FrequencyBox()->fontMetrics().horizontalAdvance(text), FrequencyBox()->width());
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
  document.SetModified(false);
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
  EXPECT_EQ(ToneChooser()->currentText(), "8");
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
