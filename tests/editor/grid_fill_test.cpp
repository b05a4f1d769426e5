// The grid fill at every initial update: what the cells, headers and labels
// show, that editors and widths survive a second New or Open, and the layout.
// How a record decodes into texts is the model's (channel_record_test).

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QHeaderView>
#include <QScrollBar>

#include "editor_test_support.h"
#include "model/memory_image.h"

namespace korvel::test {
namespace {

// Opening fills the rows; the New after it clears them to the labels and
// headers alone, and keeps the editors and the column widths.
TEST_F(ViewTest, EachUpdateFillsTheGridAndKeepsEditorsAndWidths) {
  // Channel 1 uses every field; channel 128 is the last row.
  MemoryImage image = NewImage();
  const std::array<std::uint8_t, 16> first = {0x00, 0x20, 0x65, 0x14, 0x00, 0x50, 0x65, 0x14,  // 146.52 / 146.55
                                              0x85, 0x08, 0x23, 0x80,                          // 88.5, D023N
                                              0x02, 0x3A, 0x01, 0xFF};  // DTMF, High Wide Yes Carrier, ON
  const std::array<std::uint8_t, 16> last = {0x00, 0x50, 0x02, 0x45, 0x00, 0x50, 0x02, 0x45,  // 450.25
                                             0x54, 0xC7, 0x41, 0x85,                          // D754I, D541N
                                             0x04, 0x06, 0x00, 0x00};                         // lock bits 110
  std::copy(first.begin(), first.end(), ChannelRecordOf(image, 1).begin());
  std::copy(last.begin(), last.end(), ChannelRecordOf(image, 128).begin());
  Open(image);
  EXPECT_EQ(RowTexts(1), (QStringList{"146.52000", "146.55000", "88.5", "D023N", "Wide", "Yes", "High", "DTMF",
                                      "ON", "Carrier"}));
  EXPECT_EQ(RowTexts(128), (QStringList{"450.25000", "450.25000", "D754I", "D541N", "Narrow", "No", "Low",
                                        "FleetSync", "OFF", "Close"}));
  for (int row = 2; row <= 127; ++row) EXPECT_EQ(RowTexts(row).join(""), "") << row;

  // A screen reader reads the cells, the column headers and the bar's lists.
  QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(&Grid())->tableInterface();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->cellAt(127, 2)->text(QAccessible::Name), "D754I");
  EXPECT_EQ(table->columnDescription(1), "Transmit(MHz)");
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(Bar().BandList());
  EXPECT_EQ(list->text(QAccessible::Name), "240 - 260MHz");
  Bar().BandList()->setCurrentIndex(1);
  EXPECT_EQ(list->text(QAccessible::Name), "136 - 174MHz");

  const QList<QWidget*> editors =
      Grid().viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_EQ(editors.size(), 8);
  Grid().SetColWidth(3, 50);  // as the user drags a column's edge
  std::vector<int> widths;
  for (int column = 0; column < ChannelGrid::kColumns; ++column) widths.push_back(Grid().ColWidth(column));
  // An edit left open in the box when the document is replaced.
  FrequencyBox()->setText("146.52");
  FrequencyBox()->show();
  ToneChooser()->show();

  Grid().SetCurrent(100, 5);

  document.OnNewDocument();
  view->OnInitialUpdate();

  // The keyboard starts again on channel 1's receive cell.
  EXPECT_EQ(Grid().Row(), 1);
  EXPECT_EQ(Grid().Col(), 1);

  EXPECT_EQ(Grid().viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly), editors);
  for (int column = 0; column < ChannelGrid::kColumns; ++column) {
    EXPECT_EQ(Grid().ColWidth(column), widths[static_cast<std::size_t>(column)]) << column;
  }
  for (QWidget* editor : editors) EXPECT_FALSE(editor->isVisible());
  EXPECT_TRUE(FrequencyBox()->text().isEmpty());
  for (int row = 1; row <= 128; ++row) {
    EXPECT_EQ(Grid().TextMatrix(row, 0), QString::number(row));
    EXPECT_EQ(RowTexts(row).join(""), "") << row;
  }
  const QStringList headers = {"CH",      "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone", " W/N ",
                               "Scan",    "Tx Power",     " Opt Signal",   "PTTID",   "BusyLock"};
  for (int column = 0; column < ChannelGrid::kColumns; ++column) {
    EXPECT_EQ(Grid().TextMatrix(0, column), headers[column]);
  }
  // Row 0 and column 0 are what the header sections show.
  EXPECT_EQ(Grid().model()->headerData(4, Qt::Horizontal).toString(), " W/N ");
  EXPECT_EQ(Grid().model()->headerData(127, Qt::Vertical).toString(), "128");
  EXPECT_EQ(Grid().model()->rowCount(), 128);
  EXPECT_EQ(Grid().model()->columnCount(), 10);
}

TEST_F(ViewTest, EditorsHoldTheirEntriesInListOrder) {
  EXPECT_EQ(ToneChooser()->count(), 261);
  EXPECT_TRUE(ToneChooser()->isEditable());
  const struct {
    int column;
    const char* entries;
  } choosers[] = {{5, "Wide|Narrow"}, {6, "Yes|No"},      {7, "Low|High"},
                  {8, "None|DTMF|FleetSync"}, {9, "OFF|ON"}, {10, "Close|Carrier|QT/DQT"}};
  for (const auto& c : choosers) {
    SCOPED_TRACE(c.column);
    QStringList entries;
    for (int i = 0; i < OptionChooser(c.column)->count(); ++i) entries << OptionChooser(c.column)->itemText(i);
    EXPECT_EQ(entries.join('|'), c.entries);
    EXPECT_FALSE(OptionChooser(c.column)->isEditable());
  }
}

TEST_F(ViewTest, ColumnWidthsKeepTheirProportionsAndFitTheGrid) {
  // Each column's width in tenths of the grid's default column width.
  const int w = Grid().DefaultColWidth();
  ASSERT_GT(w, 0);
  std::vector<int> shares;
  int total = 0;
  for (int column = 0; column < ChannelGrid::kColumns; ++column) {
    shares.push_back((Grid().ColWidth(column) * 10 + w / 2) / w);
    total += Grid().ColWidth(column);
  }
  EXPECT_EQ(shares, (std::vector<int>{4, 12, 12, 9, 9, 7, 7, 7, 10, 7, 8}));
  // The eleven columns fit the grid side by side.
  QApplication::processEvents();
  EXPECT_EQ(Grid().horizontalScrollBar()->maximum(), 0);
  EXPECT_LE(total, Grid().width());
  EXPECT_GT(total, Grid().width() * 9 / 10);
}

TEST_F(ViewTest, AtTheSizeShowingRowsEveryHeadingIsInFullAndTheRowsShow) {
  for (const int rows : {20, 40}) {
    view->resize(view->SizeShowing(rows));
    QApplication::processEvents();
    for (int column = 1; column < ChannelGrid::kColumns; ++column)
      EXPECT_GE(Grid().ColWidth(column), Grid().horizontalHeader()->sectionSizeHint(column - 1)) << column;
    EXPECT_GE(Grid().ColWidth(0), Grid().verticalHeader()->sizeHint().width());
    EXPECT_GE(Grid().viewport()->height(), rows * Grid().verticalHeader()->defaultSectionSize()) << rows;
  }
}

TEST_F(ViewTest, FormUsesItsFontsAndLeavesFocusOnChannelOnesReceiveCell) {
  const QStringList families = Grid().font().families();
  ASSERT_FALSE(families.isEmpty());
  EXPECT_EQ(families.first(), "Times New Roman");
  EXPECT_TRUE(families.contains("Liberation Serif"));
  EXPECT_DOUBLE_EQ(Grid().font().pointSizeF(), 9.75);
  EXPECT_DOUBLE_EQ(view->font().pointSizeF(), 8.0);
  const QVariant alignment = Grid().model()->data(Grid().model()->index(0, 7), Qt::TextAlignmentRole);
  EXPECT_EQ(alignment.value<Qt::Alignment>(), Qt::AlignLeft | Qt::AlignVCenter);

  EXPECT_EQ(QApplication::focusWidget(), &Grid());
  EXPECT_EQ(Grid().Row(), 1);
  EXPECT_EQ(Grid().Col(), 1);

  // Form geometry from dialog units of the form font: the grid sits below
  // the bar and inside the form.
  const QRect form(QPoint(0, 0), view->FormSize());
  EXPECT_GT(Grid().geometry().top(), Bar().geometry().bottom());
  EXPECT_TRUE(form.contains(Grid().geometry()));
  EXPECT_TRUE(form.contains(Bar().geometry()));
}

}  // namespace
}  // namespace korvel::test
