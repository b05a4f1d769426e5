// Enter by focused control (outside the grid it acts as Tab), and filling a channel list with the keyboard
// alone. The grid shows the document's cells; saving them is the model's.

#include "editor_test_support.h"

namespace korvel::test {
namespace {

// Enter on an option commits it and goes on: PTTID and BusyLock to the next
// row's receive frequency, the other options to the next column, and on the
// last row out of the grid, as Tab does.
TEST_F(EditTest, EnterOnAnOptionCommitsItAndGoesOn) {
  const struct {
    int row, column, entry;
    const char* cell;         // the option cell's text after Enter
    int nextRow, nextColumn;  // the current cell after Enter
    int editorColumn;         // whose editor opens there; 0: none, the focus left the grid
  } cases[] = {
      {5, 9, 0, "OFF", 6, 1, 1},
      {5, 10, 1, "Carrier", 6, 1, 1},
      {5, 5, 1, "Narrow", 5, 6, 6},
      {128, 7, 0, "Low", 128, 7, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    Enter(c.row, 1, "146.52");
    Click(c.row, c.column);
    ASSERT_TRUE(Shows(OptionChooser(c.column)));
    OptionChooser(c.column)->setCurrentIndex(c.entry);
    Enter();
    EXPECT_EQ(Grid().TextMatrix(c.row, c.column), c.cell);
    EXPECT_EQ(Grid().Row(), c.nextRow);
    EXPECT_EQ(Grid().Col(), c.nextColumn);
    QWidget* editor = c.editorColumn == 0   ? nullptr
                      : c.editorColumn == 1 ? static_cast<QWidget*>(FrequencyBox())
                                            : OptionChooser(c.editorColumn);
    EXPECT_EQ(ShownEditor(), editor);
    if (editor != nullptr) {
      EXPECT_EQ(Focus(), editor);
    } else {
      EXPECT_TRUE(Focus() != &Grid() && view->isAncestorOf(Focus()));
    }
  }
}

TEST_F(EditTest, AChannelListIsFilledByTheKeyboardAlone) {
  // From the grid back to the band list, choose the band, then Tab into the grid.
  ASSERT_EQ(Focus(), &Grid());
  for (int i = 0; i < 3; ++i) Key(Qt::Key_Backtab);
  ASSERT_EQ(Focus(), Bar().BandList());
  Bar().BandList()->setCurrentIndex(2);
  Key(Qt::Key_Up);  // from 240 - 260MHz to 136 - 174MHz
  EXPECT_EQ(Bar().BandText(), "136 - 174MHz");
  Enter();  // on a control outside the grid Enter acts as Tab
  EXPECT_EQ(Focus(), Bar().RankList());
  for (int i = 0; i < 2; ++i) Key(Qt::Key_Tab);
  ASSERT_EQ(Focus(), &Grid());
  ASSERT_EQ(Grid().Row(), 1);
  ASSERT_EQ(Grid().Col(), 1);

  // Row 1: receive, transmit (Enter keeps the copy), two tones, options.
  Type("146.52");
  Enter();
  // The transmit cell's editor opens over it on the copy, all selected.
  ASSERT_TRUE(Shows(FrequencyBox()) && Focus() == FrequencyBox());
  EXPECT_EQ(Grid().Col(), 2);
  EXPECT_EQ(FrequencyBox()->selectedText(), "146.52000");
  EXPECT_TRUE(FrequencyBox()->geometry().contains(Grid().CellRect().center()));
  Enter();
  Type("88.5");
  Enter();
  Enter();                // Tx tone stays "OFF"
  Key(Qt::Key_Down);      // Narrow
  Enter();
  Enter();                // Scan Yes
  Key(Qt::Key_Up);        // Low
  Enter();
  Key(Qt::Key_Up);        // None
  Enter();
  Enter();                // PTTID ON, on to row 2
  ASSERT_EQ(Grid().Row(), 2);
  // Row 2: its own transmit frequency and a DCS tone.
  Type("147.005");
  Enter();
  Type("147.6");
  Enter();
  Type("D023N");
  Enter();
  for (int i = 0; i < 6; ++i) Enter();
  ASSERT_EQ(Grid().Row(), 3);
  ASSERT_TRUE(Shows(FrequencyBox()));
  // Up arrow leaves the box for the grid; BusyLock of row 2 by arrows.
  Key(Qt::Key_Up);
  ASSERT_EQ(Focus(), &Grid());
  for (int i = 0; i < 9; ++i) Key(Qt::Key_Right);
  ASSERT_EQ(Grid().Col(), 10);
  Type("1");
  Key(Qt::Key_Down);      // Carrier
  Enter();
  ASSERT_EQ(Grid().Row(), 3);
  Type("145.00625");      // left open, as at a Save, which commits it
  EXPECT_EQ(document.Channels().Cell(3, 1), "");
  view->CommitEdit();
  EXPECT_EQ(ShownEditor(), nullptr);

  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{});
  EXPECT_EQ(RowTexts(1), (QStringList{"146.52000", "146.52000", "88.5", "OFF", "Narrow", "Yes",
                                      "Low", "None", "ON", "Close"}));
  EXPECT_EQ(RowTexts(2), (QStringList{"147.00500", "147.60000", "D023N", "OFF", "Wide", "Yes",
                                      "High", "DTMF", "ON", "Carrier"}));
  EXPECT_EQ(RowTexts(3), (QStringList{"145.00625", "145.00625", "OFF", "OFF", "Wide", "Yes",
                                      "High", "DTMF", "ON", "Close"}));
  EXPECT_EQ(document.Channels().Type().band, 1);
  document.History().MarkSaved();
  view->CommitEdit();  // nothing open: nothing changes
  EXPECT_FALSE(document.IsModified());
}

}  // namespace
}  // namespace korvel::test
