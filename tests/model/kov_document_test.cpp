// The document, its working copy and its history: what marks it modified,
// what one undo step is and what undo takes back.

#include "model/kov_document.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/channel_edits.h"
#include "model/document_history.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace korvel {
namespace {

using test::ScriptedPrompter;

TEST(KovDocument, EachChangeIsOneNamedStepThatMarksItModifiedAndNothingElseDoes) {
  ScriptedPrompter prompter;
  const struct {
    const char* name;
    std::function<void(CKovDoc&)> act;
    const char* step;  // the undo step it makes; "" for none (and not modified)
  } cases[] = {
      {"a committed frequency", [&](CKovDoc& d) { CommitFrequency(d.Channels(), 1, 1, "250", prompter); },
       "Edit Channel 1"},
      {"two channels at once",
       [](CKovDoc& d) {
         d.Channels().SetCell(3, 1, "146.00000");
         d.Channels().SetCell(5, 1, "146.00000");
       },
       "Edit Channels 3-5"},
      {"a commit that changes no cell", [](CKovDoc& d) { CommitOption(d.Channels(), 1, 5, "Narrow"); }, ""},
      {"a change taken back within the step",
       [](CKovDoc& d) {
         d.Channels().SetCell(2, 2, "146.00000");
         d.Channels().SetCell(2, 2, "");
       },
       ""},
      {"new bar values", [](CKovDoc& d) { d.Channels().SetType({.band = 4}); }, "Type Setting"},
      {"the fill", [](CKovDoc& d) { d.FillFromImage(); }, ""},
      {"the collection", [](CKovDoc& d) { d.CollectIntoImage(); }, ""},
      {"a command's step changing the image",
       [](CKovDoc& d) {
         DocumentStep step(d.History(), "Optional Features");
         d.Image()[0x813] = 7;
       },
       "Optional Features"},
      {"a command's step changing nothing", [](CKovDoc& d) { DocumentStep step(d.History(), "Optional Features"); },
       ""},
      {"a read filling the grid within its step",
       [](CKovDoc& d) {
         DocumentStep step(d.History(), "Read From Radio");
         d.Image()[0x80A] = 0xEF;
         d.FillFromImage();
       },
       "Read From Radio"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CKovDoc document;
    document.FillFromImage();
    c.act(document);
    document.History().CloseStep();  // as the event loop does after each event
    EXPECT_EQ(document.IsModified(), *c.step != '\0');
    EXPECT_EQ(document.History().UndoName(), c.step);
    if (*c.step == '\0') continue;
    document.History().Undo();  // back to the state the document started in
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.History().RedoName(), c.step);
    document.History().Redo();
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

TEST(KovDocument, FillAndCollectionMoveRowsAndBarValuesBetweenImageAndWorkingCopy) {
  CKovDoc document;
  document.OnNewDocument();
  document.Image()[0x80A] = 0xEF;  // "136 - 174MHz"
  document.FillFromImage();
  EXPECT_EQ(document.Channels().Type().band, 1);
  ScriptedPrompter prompter;
  CommitFrequency(document.Channels(), 1, 1, "146.52", prompter);
  document.Channels().SetType({.model = 2, .band = 1});
  EXPECT_EQ(document.Image()[0], 0xFF);  // the image waits for the collection
  document.CollectIntoImage();
  EXPECT_EQ((std::array<int, 4>{document.Image()[0], document.Image()[1], document.Image()[2], document.Image()[3]}),
            (std::array<int, 4>{0x00, 0x20, 0x65, 0x14}));
  EXPECT_EQ(document.Image()[0x80B], 0x3A);
}

}  // namespace
}  // namespace korvel
