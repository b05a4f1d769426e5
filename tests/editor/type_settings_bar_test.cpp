// The type settings bar over the document's bar values: what it shows after
// a fill or a change elsewhere, what it writes, and the typing guards.

#include <QTest>

#include "editor_test_support.h"
#include "model/settings_block.h"

namespace korvel::test {
namespace {

using namespace settings;

TEST_F(ViewTest, NewDocumentShowsTheDefaultBar) {
  EXPECT_EQ(Bar().ModelList()->currentText(), "KR - 100");
  EXPECT_EQ(Bar().BandList()->currentText(), "240 - 260MHz");
  EXPECT_EQ(Bar().RankList()->currentText(), "9");
  EXPECT_EQ(Bar().ManualList()->currentText(), "Open");
  EXPECT_EQ(Bar().ModelList()->count(), 3);
  EXPECT_EQ(Bar().BandList()->count(), 10);
  EXPECT_EQ(Bar().BandList()->itemText(0), "  67 - 72MHz");
  EXPECT_EQ(Bar().RankList()->count(), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Bar().RankList()->itemText(i), QString::number(i));
  EXPECT_EQ(Bar().ManualList()->itemText(1), "Close");
  EXPECT_EQ(Bar().title(), "Type Setting");
}

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
  EXPECT_FALSE(document.IsModified());

  // Values changed elsewhere in the document show too.
  document.Channels().SetType({.model = 1, .band = 0, .txPowerRank = 7, .manual = 0});
  EXPECT_EQ(Bar().BandList()->currentText(), "  67 - 72MHz");
  EXPECT_EQ(Bar().ModelList()->currentText(), "KR - 200");
  EXPECT_EQ(Bar().RankList()->currentText(), "7");
  EXPECT_EQ(Bar().ManualList()->currentText(), "Open");
}

TEST_F(ViewTest, ChoicesFromTheListsGoIntoTheDocument) {
  const struct {
    QComboBox* list;
    int index;
  } choices[] = {{Bar().ManualList(), 1}, {Bar().BandList(), 5}, {Bar().ModelList(), 1}, {Bar().RankList(), 4}};
  for (const auto& choice : choices) {
    choice.list->setCurrentIndex(choice.index);
    emit choice.list->activated(choice.index);  // as a choice from the list does
  }
  EXPECT_EQ(document.Channels().Type(), (TypeSettings{.model = 1, .band = 5, .txPowerRank = 4, .manual = 1}));
  EXPECT_TRUE(document.IsModified());
}

TEST_F(ViewTest, TypingInGuardedListsSelectsTheirDefaultAgain) {
  Bar().RankList()->setFocus();
  QTest::keyClicks(Bar().RankList(), "3");
  EXPECT_EQ(Bar().RankList()->currentIndex(), 9);
  EXPECT_EQ(Bar().RankList()->currentText(), "9");
  EXPECT_FALSE(document.IsModified());  // the value never changed

  Bar().BandList()->setCurrentIndex(1);
  emit Bar().BandList()->activated(1);
  ASSERT_EQ(document.Channels().Type().band, 1);
  document.SetModified(false);
  QTest::keyClicks(Bar().BandList(), "4");
  EXPECT_EQ(Bar().BandList()->currentIndex(), 2);
  EXPECT_EQ(Bar().BandList()->currentText(), "240 - 260MHz");
  EXPECT_EQ(document.Channels().Type().band, 2);
  EXPECT_TRUE(document.IsModified());  // typing moved it back to the default: a change

  Bar().ModelList()->setCurrentIndex(2);
  QTest::keyClicks(Bar().ModelList(), "KR - 200");
  EXPECT_EQ(Bar().ModelList()->currentIndex(), 0);
  EXPECT_EQ(document.Channels().Type().model, 0);
}

TEST_F(ViewTest, TypedManualSettingCountsOnlyAsTheEntryItEquals) {
  QLineEdit* field = Bar().ManualList()->lineEdit();
  field->selectAll();
  QTest::keyClicks(Bar().ManualList(), "Close");
  EXPECT_EQ(Bar().ManualList()->currentText(), "Close");  // no guard here
  EXPECT_EQ(document.Channels().Type().manual, 1);
  EXPECT_TRUE(document.IsModified());

  field->selectAll();
  QTest::keyClicks(Bar().ManualList(), "Open");
  EXPECT_EQ(document.Channels().Type().manual, 0);
  field->selectAll();
  QTest::keyClicks(Bar().ManualList(), "Opex");
  EXPECT_EQ(Bar().ManualList()->currentText(), "Opex");  // the typed text stays
  document.CollectIntoImage();
  EXPECT_FALSE(document.Image()[kFunctionFlags] & kManualOpenBit);  // no entry chosen: not "Open"
}

}  // namespace
}  // namespace korvel::test
