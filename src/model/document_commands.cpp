#include "document_commands.h"

#include <filesystem>

#include "document_history.h"
#include "utf8_path.h"

namespace korvel {

DocumentCommands::DocumentCommands(CKovDoc& document, Prompter& prompter, DocumentWindow* window)
    : document_(document), prompter_(prompter), window_(window) {}

bool DocumentCommands::SaveModified() {
  if (!document_.IsModified()) return true;
  const std::string& path = document_.PathName();
  const std::string name = path.empty() ? "Untitled" : Utf8FromPath(PathFromUtf8(path).filename());
  Prompt prompt;
  prompt.text = "Save changes to " + name + "?";
  prompt.buttons = Buttons::YesNoCancel;
  prompt.icon = Icon::Question;
  switch (prompter_.Ask(prompt)) {
    case Answer::Yes: return Save();
    case Answer::No: return true;
    default: return false;
  }
}

void DocumentCommands::StartAfresh() {
  document_.FillFromImage();
  // Filling is not a change of the document: the session's history starts
  // here, unmodified.
  document_.History().Reset();
  if (window_) window_->ShowDocument();
}

void DocumentCommands::New() {
  document_.OnNewDocument();
  document_.SetPathName({});
  StartAfresh();
}

bool DocumentCommands::Load(const std::string& path) {
  const Status result = document_.OnOpenDocument(path);
  // On failure the document, its path and the view stay as they were.
  if (!result) prompter_.Tell(result.message);
  return static_cast<bool>(result);
}

bool DocumentCommands::Open(const std::string& path) {
  if (!Load(path)) return false;
  document_.SetPathName(path);
  if (window_) window_->TookPath(path);
  StartAfresh();
  if (!document_.OpenNotice().empty()) {
    Prompt notice{document_.OpenNotice()};
    notice.icon = Icon::Information;
    prompter_.Ask(notice);
  }
  return true;
}

bool DocumentCommands::OpenUntitled(const std::string& path) {
  if (!Load(path)) return false;
  document_.SetPathName({});
  StartAfresh();
  return true;
}

bool DocumentCommands::Save() {
  if (document_.PathName().empty()) return SaveAs();
  return SaveAs(document_.PathName());
}

bool DocumentCommands::SaveAs() {
  if (!window_) return false;
  const std::string path = window_->ChooseSavePath(document_.PathName());
  return !path.empty() && SaveAs(path);
}

bool DocumentCommands::SaveAs(const std::string& path) {
  if (window_) window_->CommitEdit();
  const Status result = document_.OnSaveDocument(path);
  if (!result) {
    prompter_.Tell(result.message);
    return false;
  }
  document_.SetPathName(path);
  if (window_) window_->TookPath(path);
  return true;
}

}  // namespace korvel
