// File New, Open, Save, Save As and the recent-file list.
#include <QFile>
#include <QFileInfo>

#include "app/main_frame.h"
#include "editor/document_history.h"

namespace korvel {

bool CMainFrame::SaveModified() {
  if (!document_.IsModified()) return true;
  const std::string& path = document_.PathName();
  const QString name = path.empty() ? QStringLiteral("Untitled") : QFileInfo(QFile::decodeName(path.c_str())).fileName();
  Prompt prompt;
  prompt.text = "Save changes to " + name.toStdString() + "?";
  prompt.buttons = Buttons::YesNoCancel;
  prompt.icon = Icon::Question;
  switch (prompter_.Ask(prompt)) {
    case Answer::Yes: return OnFileSave();
    case Answer::No: return true;
    default: return false;
  }
}

void CMainFrame::ShowNewDocument() {
  document_.SetPathName({});
  ShowView();
}

bool CMainFrame::OnFileNew() {
  if (!SaveModified()) return false;
  document_.OnNewDocument();
  ShowNewDocument();
  return true;
}

bool CMainFrame::OnFileOpen() {
  const QString path = chooser_.OpenPath(this);
  if (path.isEmpty()) return false;
  if (!SaveModified()) return false;
  return OpenDocumentFile(path);
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const Status result = document_.OnOpenDocument(NativePath(absolute));
  if (!result) {
    // The document, its path and the view stay as they were.
    prompter_.Tell(result.message);
    return false;
  }
  TakePath(absolute);
  ShowView();
  if (!document_.OpenNotice().empty()) {
    Prompt notice{document_.OpenNotice()};
    notice.icon = Icon::Information;
    prompter_.Ask(notice);
  }
  return true;
}

void CMainFrame::OnRecentFile(int index) {
  if (index < 0 || index >= recent_.Paths().size()) return;
  const QString path = recent_.Paths().at(index);
  if (!SaveModified()) return;
  // Every entry, the first included, opens its file as File Open does, so
  // the document takes that file's path and a later Save writes there.
  if (!OpenDocumentFile(path)) {
    // A file that can no longer be read leaves the list.
    recent_.Remove(index);
    UpdateRecentMenu();
  }
}

bool CMainFrame::OnFileSave() {
  if (document_.PathName().empty()) return OnFileSaveAs();
  return SaveTo(QFile::decodeName(document_.PathName().c_str()));
}

bool CMainFrame::OnFileSaveAs() {
  const std::string& current = document_.PathName();
  const QString suggested = current.empty() ? QStringLiteral("Untitled.sin") : QFile::decodeName(current.c_str());
  QString path = chooser_.SavePath(this, suggested);
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".") + QLatin1String(kChannelFileSuffix);
  return SaveTo(path);
}

bool CMainFrame::SaveTo(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  // An edit still open in a cell belongs to what is saved.
  view_->CommitEdit();
  const Status result = document_.OnSaveDocument(NativePath(absolute));
  if (!result) {
    prompter_.Tell(result.message);
    return false;
  }
  view_->History().MarkSaved();
  TakePath(absolute);
  return true;
}

void CMainFrame::TakePath(const QString& absolute) {
  document_.SetPathName(NativePath(absolute));
  recent_.Add(absolute);
  UpdateRecentMenu();
}

}  // namespace korvel
