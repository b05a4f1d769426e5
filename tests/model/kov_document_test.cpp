// The document, its working copy and its history: what marks it modified,
// what one undo step is, and that undo takes it back byte for byte.

#include "model/kov_document.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/channel_edits.h"
#include "model/channel_rows.h"
#include "model/document_history.h"
#include "scripted_prompter.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel {
namespace {

using test::ScriptedPrompter;

bool SameState(const DocumentState& a, const DocumentState& b) {
  return a.rows == b.rows && a.type == b.type && a.image == b.image;
}

// Each change, as the window's event loop closes its step: one named undo
// step that marks the document modified, undone and redone byte for byte;
// or no step, and the document unmodified.
TEST(KovDocument, EachChangeIsOneNamedStepUndoneAndRedoneExactly) {
  ScriptedPrompter prompter;
  const struct {
    const char* name;
    std::function<void(CKovDoc&)> act;
    const char* step;  // "" for none
  } cases[] = {
      {"a frequency typed into an empty row",
       [&](CKovDoc& d) { CommitFrequency(d.Channels(), 128, 1, "146.52", prompter); }, "Edit Channel 128"},
      {"a text equal to the cell's", [](CKovDoc& d) { d.Channels().SetCell(1, 1, d.Channels().Cell(1, 1)); }, ""},
      {"a change taken back within the step",
       [](CKovDoc& d) {
         const std::string was = d.Channels().Cell(2, 2);
         d.Channels().SetCell(2, 2, "146.00000");
         d.Channels().SetCell(2, 2, was);
       },
       ""},
      {"a bar value", [](CKovDoc& d) { d.Channels().SetType({.model = 1, .band = 3}); }, "Type Setting"},
      {"channels moved", [](CKovDoc& d) { MoveChannels(d, 3, 9, 1); }, "Edit Channels 3-10"},
      // The step names the first and last row whose texts changed (the pattern
      // leaves some rows empty).
      {"channels emptied", [](CKovDoc& d) { EmptyChannels(d, 1, 64); }, "Edit Channels 1-59"},
      {"a channel inserted",
       [](CKovDoc& d) {
         EmptyChannels(d, 128, 128);
         InsertEmptyChannel(d, 1);
       },
       "Edit Channels 1-125"},
      {"the fill", [](CKovDoc& d) { d.FillFromImage(); }, ""},
      {"the collection (as a save does)", [](CKovDoc& d) { d.CollectIntoImage(); }, ""},
      {"a command's step changing a settings byte",
       [](CKovDoc& d) {
         DocumentStep step(d.History(), "Optional Features");
         d.Image()[0x812] ^= 0x10;
       },
       "Optional Features"},
      {"a command's step changing nothing", [](CKovDoc& d) { DocumentStep step(d.History(), "Optional Features"); },
       ""},
      {"another image filled in within its step (a read)",
       [](CKovDoc& d) {
         DocumentStep step(d.History(), "Read From Radio");
         d.Image() = test::PatternImage(99);
         d.FillFromImage();
       },
       "Read From Radio"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CKovDoc document;
    document.Image() = test::ThroughGrid(test::PatternImage(3));
    document.FillFromImage();
    document.History().Reset();
    const DocumentState before = CaptureState(document);
    c.act(document);
    document.History().CloseStep();
    const DocumentState after = CaptureState(document);
    EXPECT_EQ(document.IsModified(), *c.step != '\0');
    EXPECT_EQ(document.History().UndoName(), c.step);
    if (*c.step == '\0') continue;
    document.History().Undo();
    EXPECT_TRUE(SameState(CaptureState(document), before));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.History().RedoName(), c.step);
    document.History().Redo();
    EXPECT_TRUE(SameState(CaptureState(document), after));
    EXPECT_TRUE(document.IsModified());
  }
}

TEST(KovDocument, UndoingBackToTheSavedStateClearsModifiedUntilANewStepDropsIt) {
  test::TempDir dir;
  CKovDoc document;
  document.FillFromImage();
  DocumentHistory& history = document.History();
  document.Channels().SetCell(1, 1, "146.00000");
  EXPECT_TRUE(document.IsModified());  // at once, before its step closes
  ASSERT_TRUE(document.OnSaveDocument(dir.File("a.sin")));
  EXPECT_FALSE(document.IsModified());
  document.Channels().SetCell(2, 1, "147.00000");
  history.CloseStep();
  EXPECT_TRUE(document.IsModified());
  history.Undo();
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.Channels().Cell(2, 1), "");
  history.Undo();  // before the save
  EXPECT_TRUE(document.IsModified());
  // A new step drops what could be redone, the saved state with it.
  document.Channels().SetCell(3, 1, "148.00000");
  history.CloseStep();
  EXPECT_FALSE(history.CanRedo());
  history.Undo();
  EXPECT_TRUE(document.IsModified());
  EXPECT_FALSE(history.CanUndo());
  // A reset starts afresh: nothing to undo, unmodified.
  document.Channels().SetCell(4, 1, "149.00000");
  history.Reset();
  EXPECT_FALSE(document.IsModified());
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
}

}  // namespace
}  // namespace korvel
