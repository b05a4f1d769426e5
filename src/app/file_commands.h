#pragma once
// The window's side of the document commands: the file chooser, the view
// and the recent-file list around DocumentCommands, and the commands that
// only the window has (the CSV exchange, Open Backup, Compare With, the
// recent files).

#include <QObject>
#include <QSettings>
#include <QString>
#include <string>

#include "app/command_ids.h"
#include "app/file_chooser.h"
#include "app/recent_file_list.h"
#include "model/document_commands.h"

class QWidget;

namespace korvel {

class CKovView;

class FileCommands : public QObject, private DocumentWindow {
  Q_OBJECT
 public:
  FileCommands(CKovDoc& document, Prompter& prompter, FileChooser& chooser, QSettings& settings, CKovView& view,
               QWidget& window);

  DocumentCommands& Commands() { return commands_; }
  RecentFileList& RecentFiles() { return recent_; }

  // File New, Open, Save and Save As. Each returns whether it was carried
  // out; false when the user cancelled it or it failed (and was reported).
  bool New();
  bool Open();
  // Save and Save As tell what they wrote in the message pane.
  bool Save() { return Saved(commands_.Save()); }
  bool SaveAs() { return Saved(commands_.SaveAs()); }
  // Opens path as File Open does, without asking about unsaved changes.
  bool OpenFile(const QString& path);
  // Asks about unsaved changes, then opens path (a file dropped on the window).
  bool OpenAsking(const QString& path);
  // Recent file entry index: every entry, the first included, opens its file
  // as File Open does; a file that can no longer be read leaves the list.
  void OpenRecent(int index);
  // Asks whether to save a modified document. False means: stop.
  bool SaveModified() { return commands_.SaveModified(); }

  // File > Export Channels... and Import Channels...: the channels as a CSV
  // file a spreadsheet opens, and back; the message pane tells what was
  // done.
  void ExportChannels();
  void ImportChannels();
  // File > Open Backup: a kept radio memory of folder opens as an untitled
  // document, so saving it never overwrites the backup; or is compared.
  void OpenBackup(const std::string& folder);
  // File > Compare With: the differences between the document (as the grid
  // shows it) and a channel data file.
  void CompareWith();
  void CompareWithFile(const QString& path);

  // What the title calls the document: its file's name, "Untitled", or an
  // opened backup's name and " (unsaved copy)".
  const QString& DocumentName() const { return name_; }

 signals:
  void recentFilesChanged();
  // DocumentName has changed.
  void documentNamed();
  // What a command that finished did, for the message pane.
  void outcome(const QString& text);

 private:
  void CommitEdit() override;
  void ShowDocument() override;
  void TookPath(const std::string& path) override;
  std::string ChooseSavePath(const std::string& current) override;
  void SetName(const QString& name);
  bool Saved(bool saved);

  CKovDoc& document_;
  Prompter& prompter_;
  FileChooser& chooser_;
  CKovView& view_;
  QWidget& window_;
  RecentFileList recent_;
  DocumentCommands commands_;
  QString name_ = QStringLiteral("Untitled");
};

}  // namespace korvel
