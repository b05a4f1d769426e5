// Change notices of the working copy: which changes are announced, in what
// order, and how long a listener hears them.

#include "model/channel_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "model/channel_edits.h"
#include "scripted_prompter.h"

namespace korvel {

void PrintTo(const ChannelChange& change, std::ostream* out) {
  *out << "{kind " << static_cast<int>(change.kind) << ", row " << change.row << ", column " << change.column
       << "}";
}

namespace {

using Kind = ChannelChange::Kind;

const ChannelTexts kRow3 = {{"146.52000", "146.52000", "OFF", "OFF", "Wide", "Yes", "High", "DTMF", "ON", "Close"}};

struct NoticeCase {
  const char* name;
  std::function<void(ChannelTable&)> change;
  std::vector<ChannelChange> notices;
};

std::vector<ChannelChange> CellsOfRow(int row, std::initializer_list<int> columns) {
  std::vector<ChannelChange> notices;
  for (int column : columns) notices.push_back({Kind::Cell, row, column});
  return notices;
}

TEST(ChannelTableNotices, EveryRealChangeIsAnnouncedOnce) {
  const NoticeCase cases[] = {
      {"a new cell text", [](ChannelTable& t) { t.SetCell(3, 5, "Narrow"); }, CellsOfRow(3, {5})},
      {"the same cell text", [](ChannelTable& t) { t.SetCell(3, 5, "Wide"); }, {}},
      {"a row: the cells that differ",
       [](ChannelTable& t) {
         ChannelTexts texts = kRow3;
         texts[kScan] = "No";
         texts[kPttId] = "OFF";
         t.SetRow(3, texts);
       },
       CellsOfRow(3, {6, 9})},
      {"new bar values", [](ChannelTable& t) { t.SetType({.band = 5}); }, {{Kind::Type}}},
      {"the same bar values", [](ChannelTable& t) { t.SetType(TypeSettings{}); }, {}},
      {"the fill", [](ChannelTable& t) { t.Fill(NewImage()); }, {{Kind::Filled}}},
      {"a first receive frequency: new-row texts, transmit, receive",
       [](ChannelTable& t) {
         test::ScriptedPrompter prompter;
         CommitFrequency(t, 4, 1, "146.52", prompter);
       },
       CellsOfRow(4, {3, 4, 5, 6, 7, 8, 9, 10, 2, 1})},
  };
  for (const NoticeCase& c : cases) {
    SCOPED_TRACE(c.name);
    ChannelTable table;
    table.SetType({.band = 1});
    table.SetType(TypeSettings{});
    table.SetRow(3, kRow3);
    std::vector<ChannelChange> heard;
    const Subscription subscription = table.Subscribe([&](const ChannelChange& n) { heard.push_back(n); });
    c.change(table);
    EXPECT_EQ(heard, c.notices);
  }
}

TEST(ChannelTableNotices, ListenersHearUntilTheirSubscriptionGoes) {
  auto table = std::make_unique<ChannelTable>();
  int first = 0;
  int second = 0;
  Subscription a = table->Subscribe([&](const ChannelChange&) { ++first; });
  Subscription b;
  // The first listener drops the second while both are being told.
  b = table->Subscribe([&](const ChannelChange&) { ++second; });
  Subscription dropper = table->Subscribe([&](const ChannelChange&) { b.Reset(); });
  table->SetCell(1, 1, "146.52000");
  table->SetCell(1, 1, "");
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 1);
  a.Reset();
  table->SetCell(1, 1, "146.52000");
  EXPECT_EQ(first, 2);
  // A subscription may outlive its table.
  table.reset();
  dropper.Reset();
}

}  // namespace
}  // namespace korvel
