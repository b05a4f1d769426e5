// The document and its working copy: what marks it modified, and that
// saving collects the working copy first.

#include "model/kov_document.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/channel_edits.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace korvel {
namespace {

using test::ScriptedPrompter;

struct FlagCase {
  const char* name;
  std::function<void(CKovDoc&)> act;
  bool modified;
};

TEST(KovDocument, EveryCommittedChangeMarksItModifiedAndNothingElseDoes) {
  ScriptedPrompter prompter;
  const FlagCase cases[] = {
      {"a committed frequency",
       [&](CKovDoc& d) { CommitFrequency(d.Channels(), 1, 1, "250", prompter); }, true},
      {"a commit that changes no cell", [](CKovDoc& d) { CommitOption(d.Channels(), 1, 5, "Narrow"); }, false},
      {"new bar values", [](CKovDoc& d) { d.Channels().SetType({.band = 4}); }, true},
      {"the fill", [](CKovDoc& d) { d.FillFromImage(); }, false},
      {"the collection", [](CKovDoc& d) { d.CollectIntoImage(); }, false},
      {"New after a change",
       [](CKovDoc& d) {
         d.Channels().SetCell(2, 2, "146.00000");
         d.OnNewDocument();
       },
       false},
  };
  for (const FlagCase& c : cases) {
    SCOPED_TRACE(c.name);
    CKovDoc document;
    document.OnNewDocument();
    document.FillFromImage();
    c.act(document);
    EXPECT_EQ(document.IsModified(), c.modified);
  }
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

TEST(KovDocument, SaveWritesTheWorkingCopyAndOpenWaitsForTheFill) {
  test::TempDir dir;
  CKovDoc document;
  document.OnNewDocument();
  document.FillFromImage();
  document.Channels().SetCell(5, 2, "146.55000");
  ASSERT_TRUE(document.IsModified());
  ASSERT_TRUE(document.OnSaveDocument(dir.File("a.sin")));
  EXPECT_FALSE(document.IsModified());

  CKovDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(dir.File("a.sin")));
  EXPECT_TRUE(reopened.Channels().Row(5).AllEmpty());
  reopened.FillFromImage();
  EXPECT_EQ(reopened.Channels().Cell(5, 2), "146.55000");
  EXPECT_FALSE(reopened.IsModified());
}

}  // namespace
}  // namespace korvel
