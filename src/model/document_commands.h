#pragma once
// File New, Open, Save, Save As and the question "save changes?", in plain
// C++: the window and the command-line tool run the same commands.
//
//   korvel-cli new FILE:        DocumentCommands files(document, prompter);
//                               files.New(); files.SaveAs(FILE);
//   korvel-cli resave IN OUT:   files.Open(IN); files.SaveAs(OUT);
//
// The window takes part through a DocumentWindow: it commits an open cell
// edit, shows the document, lists the files it belongs to and chooses where
// an untitled document is saved. Without one (the command-line tool) a
// Save of an untitled document is cancelled.

#include <string>

#include "kov_document.h"
#include "prompter.h"

namespace korvel {

class DocumentWindow {
 public:
  virtual ~DocumentWindow() = default;
  // An edit still open in a cell belongs to what is saved.
  virtual void CommitEdit() = 0;
  // A new or opened document is shown from its first channel.
  virtual void ShowDocument() = 0;
  // The document now belongs to this file (the recent-file list).
  virtual void TookPath(const std::string& path) = 0;
  // Where Save As writes, starting at the document's path (empty while
  // untitled); empty when the user cancels.
  virtual std::string ChooseSavePath(const std::string& current) = 0;
};

class DocumentCommands {
 public:
  DocumentCommands(CKovDoc& document, Prompter& prompter, DocumentWindow* window = nullptr);

  // Asks "Save changes to NAME?" when the document is modified: Yes saves,
  // No goes on without saving. False means: stop (Cancel, or the save failed
  // or was cancelled).
  bool SaveModified();
  // The new image, untitled, filled and shown with a fresh history. The
  // question about unsaved changes is the caller's.
  void New();
  // Loads path (whole or not at all: a file that cannot be read is reported
  // and the document stays as it was), takes its path, shows it with a fresh
  // history, then tells of a file longer than an image. The question about
  // unsaved changes is the caller's.
  bool Open(const std::string& path);
  // Open, but the document stays untitled and unlisted (a backup that a
  // save must never overwrite); no notice of the length.
  bool OpenUntitled(const std::string& path);
  // Saves to the document's path, or as Save As while untitled.
  bool Save();
  // Saves to the path the window chooses.
  bool SaveAs();
  // Saves to path and takes it: the document belongs to that file from now
  // on. A failure is reported and changes nothing.
  bool SaveAs(const std::string& path);

 private:
  bool Load(const std::string& path);
  void StartAfresh();

  CKovDoc& document_;
  Prompter& prompter_;
  DocumentWindow* window_;
};

}  // namespace korvel
