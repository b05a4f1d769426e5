// The type settings bar over the document's bar values: what it shows after
// a fill or a change elsewhere, what it writes, and the typing guards.

#include <QTest>

#include "editor_test_support.h"
#include "model/settings_block.h"

namespace korvel::test {
namespace {

using namespace settings;

// The bar's entries show through what it selects; the New image's values
// are the model's (settings_test).
TEST_F(ViewTest, TheBarShowsTheValuesTheFillGivesTheDocument) {
  MemoryImage image = NewImage();
  image[kFrequencyField] = 0xF7;
  image[kModel] = 0x3A;
  image[kTxPowerRank] = 3;
  image[kFunctionFlags] = 0x7F;
  Open(image);
  EXPECT_EQ(Bar().BandList()->currentText(), "460 - 520MHz");
  EXPECT_EQ(Bar().ModelList()->currentText(), "KR - 300");
  EXPECT_EQ(Bar().RankList()->currentText(), "3");
  EXPECT_EQ(Bar().ManualList()->currentText(), "Close");
  EXPECT_EQ(Bar().BandText(), "460 - 520MHz");
  EXPECT_EQ(Bar().title(), "Type Setting");
  EXPECT_FALSE(document.IsModified());

  // Values changed elsewhere in the document show too.
  document.Channels().SetType({.model = 1, .band = 0, .txPowerRank = 9, .manual = 0});
  EXPECT_EQ(Bar().BandList()->currentText(), "  67 - 72MHz");
  EXPECT_EQ(Bar().ModelList()->currentText(), "KR - 200");
  EXPECT_EQ(Bar().RankList()->currentText(), "9");  // the last rank
  EXPECT_EQ(Bar().ManualList()->currentText(), "Open");
}

// What a list selects, by typing as by a choice from it, goes into the document.
TEST_F(ViewTest, TypingInAListSelectsTheFirstEntryItBegins) {
  struct Typing {
    QComboBox* list;
    int TypeSettings::*value;  // the document's value the list sets
    const char* typed;
    int index;          // the entry selected afterwards
    const char* field;  // the field's text afterwards
  };
  const Typing typings[] = {
      {Bar().RankList(), &TypeSettings::txPowerRank, "3", 3, "3"},
      {Bar().BandList(), &TypeSettings::band, "4", 4, "400 - 430MHz"},
      {Bar().BandList(), &TypeSettings::band, "46", 9, "460 - 520MHz"},
      {Bar().BandList(), &TypeSettings::band, "67", 0, "  67 - 72MHz"},  // the entry's leading blanks are not typed
      {Bar().ModelList(), &TypeSettings::model, "kr - 3", 2, "KR - 300"},
      {Bar().ManualList(), &TypeSettings::manual, "c", 1, "Close"},
      {Bar().BandList(), &TypeSettings::band, "9", 2, "9"},  // no entry begins so: the selection stays
  };
  for (const Typing& t : typings) {
    SCOPED_TRACE(t.typed);
    Open(NewImage());
    t.list->setFocus();
    t.list->lineEdit()->selectAll();
    QTest::keyClicks(t.list, t.typed);
    EXPECT_EQ(t.list->currentIndex(), t.index);
    EXPECT_EQ(t.list->currentText(), t.field);
    EXPECT_EQ(document.Channels().Type().*t.value, t.index);
  }
  // The test mode's band is the selected entry, not the "9" typed over it.
  EXPECT_EQ(Bar().BandText(), "240 - 260MHz");
  // Backspace takes a completion back instead of completing again.
  Bar().BandList()->lineEdit()->selectAll();
  QTest::keyClicks(Bar().BandList(), "35");
  QTest::keyClick(Bar().BandList(), Qt::Key_Backspace);
  EXPECT_EQ(Bar().BandList()->currentText(), "35");
  EXPECT_EQ(document.Channels().Type().band, 3);
  EXPECT_TRUE(document.IsModified());
}

// Typing an entry in full selects it as its beginning does (the table
// above); a text no entry equals leaves the document's value not "Open",
// where the New image has it.
TEST_F(ViewTest, TypedManualSettingCountsOnlyAsTheEntryItEquals) {
  ASSERT_EQ(document.Channels().Type().manual, 0);
  Bar().ManualList()->lineEdit()->selectAll();
  QTest::keyClicks(Bar().ManualList(), "Opex");
  EXPECT_EQ(Bar().ManualList()->currentText(), "Opex");  // the typed text stays
  document.CollectIntoImage();
  EXPECT_FALSE(document.Image()[kFunctionFlags] & kManualOpenBit);  // no entry chosen: not "Open"
}

}  // namespace
}  // namespace korvel::test
