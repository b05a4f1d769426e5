// Cell editing on the real widgets: opening, commit rules, validation
// messages and the row rules for first and last frequencies.

#include <QClipboard>
#include <QScrollBar>

#include "cell_edit_fixture.h"
#include "editor/cell_editing.h"
#include "model/frequency_check.h"

namespace korvel::test {
namespace {

const QStringList kDefaultRow = {"146.52000", "146.52000", "OFF", "OFF", "Wide",
                                 "Yes",       "High",      "DTMF", "ON", "Close"};

TEST_F(EditTest, FirstReceiveFrequencyGivesDefaultsAndMovesToTransmit) {
  Enter(1, 1, "146.52");
  EXPECT_EQ(RowTexts(1), kDefaultRow);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_TRUE(document.IsModified());
  // The transmit cell's editor is open, holding its text.
  EXPECT_EQ(Grid().Col(), 2);
  ASSERT_TRUE(Shows(FrequencyBox()));
  EXPECT_EQ(Focus(), FrequencyBox());
  EXPECT_EQ(FrequencyBox()->text(), "146.52000");
  EXPECT_EQ(FrequencyBox()->selectedText(), "146.52000");
  EXPECT_TRUE(FrequencyBox()->geometry().contains(Grid().CellRect().center()));
}

TEST_F(EditTest, FirstTransmitFrequencyIsNotCopiedToReceive) {
  Enter(3, 2, "145.5");
  EXPECT_EQ(RowTexts(3), (QStringList{"", "145.50000", "OFF", "OFF", "Wide", "Yes", "High",
                                      "DTMF", "ON", "Close"}));
  // A later receive frequency changes nothing else of the row.
  Click(3, 8);
  OptionChooser(8)->setCurrentIndex(2);
  Click(3, 1);
  Type("146");
  Click(3, 5);
  EXPECT_EQ(RowTexts(3), (QStringList{"146.00000", "145.50000", "OFF", "OFF", "Wide", "Yes",
                                      "High", "FleetSync", "ON", "Close"}));
}

TEST_F(EditTest, InvalidFrequenciesAreReportedAndDroppedOrKept) {
  Enter(1, 1, "145.003");
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kStepErrorText});
  EXPECT_EQ(RowTexts(1).join(""), "");  // dropped: the row stays new
  prompter.asked.clear();

  Enter(2, 1, "66.99999");
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kFormatErrorText});
  EXPECT_EQ(RowTexts(2).join(""), "");
  prompter.asked.clear();

  Enter(3, 1, "450");
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{kOutOfRangeText});
  EXPECT_EQ(Grid().TextMatrix(3, 1), "450.00000");
  EXPECT_EQ(Grid().TextMatrix(3, 2), "450.00000");
}

TEST_F(EditTest, TheBandChosenLastAppliesToTheNextEntryOnly) {
  Enter(1, 1, "146.52");
  view->CommitEdit();
  Bar().BandList()->setCurrentIndex(6);  // 450 - 470MHz
  EXPECT_EQ(Grid().TextMatrix(1, 1), "146.52000");  // not re-checked
  Enter(2, 1, "450");
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(EditTest, ClearingReceiveThenTransmitEmptiesTheRow) {
  Enter(4, 1, "146.52");
  Click(4, 3);
  Type("88.5");
  Click(4, 4);
  Type("D023N");
  Click(4, 1);  // the commit of the tone cell; the receive box opens
  FrequencyBox()->clear();
  Click(4, 6);
  EXPECT_EQ(RowTexts(4), (QStringList{"", "146.52000", "", "D023N", "Wide", "Yes", "High",
                                      "DTMF", "ON", "Close"}));
  Click(4, 2);
  FrequencyBox()->clear();
  Click(5, 1);
  EXPECT_EQ(RowTexts(4).join(""), "");
}

TEST_F(EditTest, ClearingTheOnlyFrequencyOfATransmitOnlyRecordEmptiesItsOwnTones) {
  MemoryImage image = NewImage();
  SetRecord(image, 7, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x50, 0x14, 0xFF, 0xFF, 0xFF, 0xFF,
                       0x00, 0x38, 0x00, 0xFF});
  Open(image);
  ASSERT_EQ(Grid().TextMatrix(7, 3), "OFF");  // in use: its receive tone reads "OFF"
  Click(7, 2);
  FrequencyBox()->clear();
  Click(8, 2);
  EXPECT_EQ(RowTexts(7).join(""), "");
  MemoryImage collected = image;
  document.Channels().Collect(collected);
  EXPECT_EQ(DecodeChannel(ChannelRecordOf(collected, 7)).AllEmpty(), true);
}

TEST_F(EditTest, ToneAndOptionCellsOfARowWithoutFrequencyStayEmpty) {
  Click(9, 3);
  Type("88.5");
  Click(9, 7);
  ASSERT_TRUE(Shows(OptionChooser(7)));
  OptionChooser(7)->setCurrentIndex(1);
  Click(9, 8);
  EXPECT_EQ(RowTexts(9).join(""), "");
  Enter();  // Enter on the chooser of an empty row writes nothing either
  EXPECT_EQ(RowTexts(9).join(""), "");
}

TEST_F(EditTest, ToneEntriesAreStoredWithTheListsOwnText) {
  Enter(1, 1, "146.52");
  Enter();  // transmit, then the receive tone chooser opens
  ASSERT_TRUE(Shows(ToneChooser()));
  EXPECT_EQ(ToneChooser()->currentText(), "OFF");
  QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
  Type("d023n");
  Enter();
  EXPECT_EQ(Grid().TextMatrix(1, 3), "D023N");
  ASSERT_TRUE(Shows(ToneChooser()));  // now over the transmit tone
  QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
  Type("123.4");  // no such tone
  Enter();
  EXPECT_EQ(Grid().TextMatrix(1, 4), "OFF");

  // Leaving a tone cell: matching text ignoring case takes the entry,
  // anything else is no tone.
  Click(1, 3);
  Type("d754i");
  Click(1, 4);
  EXPECT_EQ(Grid().TextMatrix(1, 3), "D754I");
  QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
  Type("D999N");
  Click(1, 5);
  EXPECT_EQ(Grid().TextMatrix(1, 4), "OFF");
  document.CollectIntoImage();
  const MemoryImage& collected = document.Image();
  EXPECT_EQ(collected[8], 0x54);  // D754I as the radio reads it
  EXPECT_EQ(collected[9], 0xC7);
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

TEST_F(EditTest, CommitEditBringsAnOpenEditIntoTheCollection) {
  Click(1, 1);
  Type("146.52");
  document.CollectIntoImage();  // the collection alone does not commit
  const MemoryImage& collected = document.Image();
  EXPECT_EQ(collected[3], 0xFF);
  EXPECT_FALSE(document.IsModified());
  view->CommitEdit();
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(ShownEditor(), nullptr);
  document.CollectIntoImage();
  EXPECT_EQ((std::vector<int>{collected[0], collected[1], collected[2], collected[3]}),
            (std::vector<int>{0x00, 0x20, 0x65, 0x14}));
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

TEST_F(EditTest, WideBandFrequencyIsStoredAsItsDigits) {
  Bar().BandList()->setCurrentIndex(2);  // 240 - 260MHz
  Enter(1, 1, "256.02");
  EXPECT_TRUE(prompter.asked.empty());
  document.CollectIntoImage();
  const MemoryImage& collected = document.Image();
  EXPECT_EQ((std::vector<int>{collected[0], collected[1], collected[2], collected[3]}),
            (std::vector<int>{0x00, 0x20, 0x60, 0x25}));
  EXPECT_EQ((std::vector<int>{collected[4], collected[5], collected[6], collected[7]}),
            (std::vector<int>{0x00, 0x20, 0x60, 0x25}));
}

}  // namespace
}  // namespace korvel::test
