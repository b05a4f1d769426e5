// Undo's record of a change: taking it back gives the document before byte
// for byte, doing it again the document after.

#include "model/document_state.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/channel_edits.h"
#include "model/channel_rows.h"
#include "scripted_prompter.h"
#include "test_files.h"

namespace korvel {
namespace {

bool SameState(const DocumentState& a, const DocumentState& b) {
  return a.rows == b.rows && a.type == b.type && a.image == b.image;
}

TEST(DocumentState, EveryKindOfChangeIsUndoneAndRedoneExactly) {
  test::ScriptedPrompter prompter;
  const struct {
    const char* name;
    std::function<void(CKovDoc&)> act;
  } cases[] = {
      {"a frequency typed into an empty row",
       [&](CKovDoc& d) { CommitFrequency(d.Channels(), 128, 1, "146.52", prompter); }},
      {"a tone", [](CKovDoc& d) { CommitTone(d.Channels(), 2, 3, "88.5"); }},
      {"a bar value", [](CKovDoc& d) { d.Channels().SetType({.model = 1, .band = 3}); }},
      {"channels moved", [](CKovDoc& d) { MoveChannels(d, 3, 9, 1); }},
      {"channels emptied", [](CKovDoc& d) { EmptyChannels(d, 1, 64); }},
      {"a channel inserted",
       [](CKovDoc& d) {
         EmptyChannels(d, 128, 128);
         InsertEmptyChannel(d, 1);
       }},
      {"a settings byte", [](CKovDoc& d) { d.Image()[0x812] ^= 0x10; }},
      {"another image filled in (a read)",
       [](CKovDoc& d) {
         d.Image() = test::PatternImage(99);
         d.FillFromImage();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CKovDoc document;
    document.Image() = test::ThroughGrid(test::PatternImage(3));
    document.FillFromImage();
    const DocumentState before = CaptureState(document);
    c.act(document);
    const DocumentState after = CaptureState(document);
    const std::optional<StateChange> change = StateChange::Between(before, after);
    ASSERT_TRUE(change.has_value());
    change->Undo(document);
    EXPECT_TRUE(SameState(CaptureState(document), before));
    change->Redo(document);
    EXPECT_TRUE(SameState(CaptureState(document), after));
  }
}

TEST(DocumentState, SavingCollectsButChangesNothing) {
  CKovDoc document;
  document.Image() = test::PatternImage(5);
  document.FillFromImage();
  test::ScriptedPrompter prompter;
  CommitFrequency(document.Channels(), 4, 2, "440.125", prompter);
  const DocumentState edited = CaptureState(document);
  document.CollectIntoImage();
  EXPECT_FALSE(StateChange::Between(edited, CaptureState(document)).has_value());
}

}  // namespace
}  // namespace korvel
