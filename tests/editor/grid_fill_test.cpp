// The grid fill at every initial update: what the cells, headers and labels
// show, that editors and widths survive a second New or Open, and the layout.

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <set>

#include "editor_test_support.h"
#include "model/memory_image.h"

namespace korvel::test {
namespace {

QStringList RowTexts(const ChannelGrid& grid, int row) {
  QStringList texts;
  for (int column = 1; column < ChannelGrid::kColumns; ++column) texts << grid.TextMatrix(row, column);
  return texts;
}

// Channel 1 uses every field; channel 2 transmits only and has an unknown
// optional signalling byte; channel 128 is the last row.
MemoryImage CraftedImage() {
  MemoryImage image = NewImage();
  SetRecord(image, 1, {0x00, 0x20, 0x65, 0x14, 0x00, 0x50, 0x65, 0x14,  // 146.52 / 146.55
                       0x85, 0x08, 0x23, 0x80,                          // 88.5, D023N
                       0x02, 0x3A, 0x01, 0xFF});                        // DTMF, High Wide Yes Carrier, ON
  SetRecord(image, 2, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x50, 0x14,  // tx 145.00 only
                       0xFF, 0xFF, 0x00, 0x00,                          // no tones
                       0x01, 0x04, 0xFE, 0xFF});                        // unknown signalling, QT/DQT
  SetRecord(image, 128, {0x00, 0x50, 0x02, 0x45, 0x00, 0x50, 0x02, 0x45,  // 450.25
                         0x54, 0xC7, 0x41, 0x85,                          // D754I, D541N
                         0x04, 0x06, 0x00, 0x00});                        // lock bits 110: Close
  return image;
}

TEST_F(ViewTest, NewDocumentShowsEmptyRowsWithLabelsAndHeaders) {
  for (int row = 1; row <= 128; ++row) {
    EXPECT_EQ(Grid().TextMatrix(row, 0), QString::number(row));
    for (const QString& text : RowTexts(Grid(), row)) EXPECT_TRUE(text.isEmpty()) << "row " << row;
  }
  const QStringList headers = {"CH",       "Receive(MHz)", "Transmit(MHz)", "Rx Tone",
                               "Tx Tone",  " W/N ",        "Scan",          "Tx Power",
                               " Opt Signal", "PTTID",     "BusyLock"};
  for (int column = 0; column < ChannelGrid::kColumns; ++column) {
    EXPECT_EQ(Grid().TextMatrix(0, column), headers[column]);
  }
  // Row 0 and column 0 are what the header sections show.
  EXPECT_EQ(Grid().model()->headerData(4, Qt::Horizontal).toString(), " W/N ");
  EXPECT_EQ(Grid().model()->headerData(127, Qt::Vertical).toString(), "128");
  EXPECT_EQ(Grid().model()->rowCount() + 1, 129);
  EXPECT_EQ(Grid().model()->columnCount() + 1, 11);
}

TEST_F(ViewTest, OpenedImageShowsEveryFieldOfItsChannels) {
  Open(CraftedImage());
  EXPECT_EQ(RowTexts(Grid(), 1), (QStringList{"146.52000", "146.55000", "88.5", "D023N", "Wide",
                                              "Yes", "High", "DTMF", "ON", "Carrier"}));
  // Transmit only: in use, so its missing tones read "OFF"; the unknown
  // signalling byte shows an empty cell between filled option cells.
  EXPECT_EQ(RowTexts(Grid(), 2), (QStringList{"", "145.00000", "OFF", "OFF", "Narrow", "No",
                                              "Low", "", "OFF", "QT/DQT"}));
  EXPECT_EQ(RowTexts(Grid(), 128), (QStringList{"450.25000", "450.25000", "D754I", "D541N",
                                                "Narrow", "No", "Low", "FleetSync", "OFF",
                                                "Close"}));
  for (int row = 3; row <= 127; ++row) EXPECT_EQ(RowTexts(Grid(), row).join(""), "") << row;
  EXPECT_EQ(Grid().TextMatrix(2, 0), "2");
}

TEST_F(ViewTest, SecondInitialUpdateClearsCellsButKeepsEditorsAndWidths) {
  Open(CraftedImage());
  const QList<QWidget*> editors = Grid().viewport()->findChildren<QWidget*>(
      QString(), Qt::FindDirectChildrenOnly);
  ASSERT_EQ(editors.size(), 8);
  std::vector<int> widths;
  for (int column = 0; column < ChannelGrid::kColumns; ++column) widths.push_back(Grid().ColWidth(column));
  // An edit left open in the box when the document is replaced.
  FrequencyBox()->setText("146.52");
  FrequencyBox()->show();
  ToneChooser()->show();

  document.OnNewDocument();
  view->OnInitialUpdate();

  EXPECT_EQ(Grid().viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly), editors);
  for (int column = 0; column < ChannelGrid::kColumns; ++column) {
    EXPECT_EQ(Grid().ColWidth(column), widths[static_cast<std::size_t>(column)]) << column;
  }
  for (QWidget* editor : editors) EXPECT_FALSE(editor->isVisible());
  EXPECT_TRUE(FrequencyBox()->text().isEmpty());
  for (int row = 1; row <= 128; ++row) EXPECT_EQ(RowTexts(Grid(), row).join(""), "") << row;
  EXPECT_EQ(Grid().TextMatrix(1, 0), "1");
}

TEST_F(ViewTest, EditorsHoldTheirEntriesInListOrder) {
  ASSERT_NE(ToneChooser(), nullptr);
  EXPECT_EQ(ToneChooser()->count(), 261);
  EXPECT_EQ(ToneChooser()->itemText(0), "OFF");
  EXPECT_TRUE(ToneChooser()->isEditable());
  auto items = [](QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
  };
  EXPECT_EQ(items(OptionChooser(5)), (QStringList{"Wide", "Narrow"}));
  EXPECT_EQ(items(OptionChooser(6)), (QStringList{"Yes", "No"}));
  EXPECT_EQ(items(OptionChooser(7)), (QStringList{"Low", "High"}));
  EXPECT_EQ(items(OptionChooser(8)), (QStringList{"None", "DTMF", "FleetSync"}));
  EXPECT_EQ(items(OptionChooser(9)), (QStringList{"OFF", "ON"}));
  EXPECT_EQ(items(OptionChooser(10)), (QStringList{"Close", "Carrier", "QT/DQT"}));
  for (int column = 5; column <= 10; ++column) EXPECT_FALSE(OptionChooser(column)->isEditable());
  EXPECT_FALSE(FrequencyBox()->hasFrame());
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
  const QRect grid = Grid().geometry();
  EXPECT_GT(grid.top(), Bar().geometry().bottom());
  EXPECT_TRUE(QRect(QPoint(0, 0), view->FormSize()).contains(grid));
  EXPECT_TRUE(QRect(QPoint(0, 0), view->FormSize()).contains(Bar().geometry()));
}

TEST_F(ViewTest, CellsAndListsAreReadableThroughAccessibility) {
  Open(CraftedImage());
  QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&Grid());
  ASSERT_NE(grid, nullptr);
  QAccessibleTableInterface* table = grid->tableInterface();
  ASSERT_NE(table, nullptr);
  QAccessibleInterface* cell = table->cellAt(1, 3);  // row 2, "Rx Tone"
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->text(QAccessible::Name), "OFF");
  EXPECT_EQ(table->columnDescription(1), "Transmit(MHz)");

  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(Bar().BandList());
  ASSERT_NE(list, nullptr);
  // A screen reader reads the list's current entry.
  EXPECT_EQ(list->text(QAccessible::Name), "240 - 260MHz");
  Bar().BandList()->setCurrentIndex(1);
  EXPECT_EQ(list->text(QAccessible::Name), "136 - 174MHz");
}

}  // namespace
}  // namespace korvel::test
