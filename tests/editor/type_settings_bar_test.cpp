// The type settings bar: loading odd settings bytes, storing at collection,
// the typing guards and the change notifications.

#include <QSignalSpy>
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

TEST_F(ViewTest, OutOfRangeSettingsBytesShowTheFirstEntries) {
  MemoryImage image = NewImage();
  for (std::uint8_t band : {std::uint8_t{0xED}, std::uint8_t{0xF8}}) {
    image[kFrequencyField] = band;
    image[kModel] = band == 0xED ? 0x37 : 0x3B;
    image[kTxPowerRank] = 10;
    Open(image);
    EXPECT_EQ(Bar().BandList()->currentText(), "  67 - 72MHz") << int(band);
    EXPECT_EQ(Bar().ModelList()->currentText(), "KR - 100");
    EXPECT_EQ(Bar().RankList()->currentText(), "0");
  }
  image[kFrequencyField] = 0xF7;
  image[kModel] = 0x3A;
  image[kTxPowerRank] = 9;
  image[kFunctionFlags] = 0x7F;
  Open(image);
  EXPECT_EQ(Bar().BandList()->currentText(), "460 - 520MHz");
  EXPECT_EQ(Bar().ModelList()->currentText(), "KR - 300");
  EXPECT_EQ(Bar().RankList()->currentText(), "9");
  EXPECT_EQ(Bar().ManualList()->currentText(), "Close");
}

TEST_F(ViewTest, CollectionStoresTheBarKeepingOtherBits) {
  MemoryImage image = NewImage();
  image[kFunctionFlags] = 0xD5;
  image[kFixedA8] = 0x00;
  Open(image);
  QSignalSpy changed(view.get(), &CKovView::contentChanged);
  Bar().ManualList()->setCurrentIndex(1);
  emit Bar().ManualList()->activated(1);  // as a choice from the list does
  Bar().BandList()->setCurrentIndex(5);
  emit Bar().BandList()->activated(5);
  Bar().ModelList()->setCurrentIndex(1);
  emit Bar().ModelList()->activated(1);
  EXPECT_EQ(changed.count(), 3);

  MemoryImage collected = document.Image();
  view->CollectInto(collected);
  EXPECT_EQ(collected[kFunctionFlags], 0x55);  // bit 7 cleared, bits 6..0 kept
  EXPECT_EQ(collected[kFixedA8], 0xA8);
  EXPECT_EQ(collected[kFrequencyField], 0xEE + 5);
  EXPECT_EQ(collected[kModel], 0x39);
  EXPECT_EQ(collected[kTxPowerRank], 9);

  // "Open" sets the bit again without touching the others.
  Bar().ManualList()->setCurrentIndex(0);
  view->CollectInto(collected);
  EXPECT_EQ(collected[kFunctionFlags], 0xD5);
}

TEST_F(ViewTest, TypingInGuardedListsSelectsTheirDefaultAgain) {
  QSignalSpy changed(view.get(), &CKovView::contentChanged);
  Bar().RankList()->setFocus();
  QTest::keyClicks(Bar().RankList(), "3");
  EXPECT_EQ(Bar().RankList()->currentIndex(), 9);
  EXPECT_EQ(Bar().RankList()->currentText(), "9");
  EXPECT_EQ(changed.count(), 0);  // the value never changed

  Bar().BandList()->setCurrentIndex(1);
  emit Bar().BandList()->activated(1);
  ASSERT_EQ(changed.count(), 1);
  QTest::keyClicks(Bar().BandList(), "4");
  EXPECT_EQ(Bar().BandList()->currentIndex(), 2);
  EXPECT_EQ(Bar().BandList()->currentText(), "240 - 260MHz");
  EXPECT_EQ(changed.count(), 2);  // typing moved it back to the default: a change

  Bar().ModelList()->setCurrentIndex(2);
  QTest::keyClicks(Bar().ModelList(), "KR - 200");
  EXPECT_EQ(Bar().ModelList()->currentIndex(), 0);
}

TEST_F(ViewTest, TypedManualSettingCountsOnlyAsTheEntryItEquals) {
  QSignalSpy changed(view.get(), &CKovView::contentChanged);
  QLineEdit* field = Bar().ManualList()->lineEdit();
  field->selectAll();
  QTest::keyClicks(Bar().ManualList(), "Close");
  EXPECT_EQ(Bar().ManualList()->currentText(), "Close");  // no guard here
  EXPECT_EQ(Bar().Current().manual, 1);
  EXPECT_GE(changed.count(), 1);

  field->selectAll();
  QTest::keyClicks(Bar().ManualList(), "Open");
  EXPECT_EQ(Bar().Current().manual, 0);
  field->selectAll();
  QTest::keyClicks(Bar().ManualList(), "Opex");
  MemoryImage collected = document.Image();
  view->CollectInto(collected);
  EXPECT_FALSE(collected[kFunctionFlags] & kManualOpenBit);  // no entry chosen: not "Open"
}

TEST_F(ViewTest, LoadingTheBarIsNotAChange) {
  QSignalSpy changed(view.get(), &CKovView::contentChanged);
  MemoryImage image = NewImage();
  image[kFrequencyField] = 0xEF;
  Open(image);
  EXPECT_EQ(Bar().BandIndex(), 1);
  EXPECT_EQ(Bar().BandText(), "136 - 174MHz");
  EXPECT_EQ(changed.count(), 0);
}

}  // namespace
}  // namespace korvel::test
