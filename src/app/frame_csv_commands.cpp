// File > Export Channels... and Import Channels...: the channels as a CSV
// file a spreadsheet opens, and back.
#include <QDir>
#include <QFileInfo>

#include "app/main_frame.h"
#include "editor/channel_edit_commands.h"
#include "model/channel_csv.h"

namespace korvel {

void CMainFrame::OnExportChannels() {
  // An edit still open in a cell belongs to what is exported.
  view_->CommitEdit();
  // Beside the document, under its name.
  const std::string& current = document_.PathName();
  QString suggested = QStringLiteral("Channels.csv");
  if (!current.empty()) {
    const QFileInfo file(QFile::decodeName(current.c_str()));
    suggested = file.dir().filePath(file.completeBaseName() + QStringLiteral(".csv"));
  }
  const QString path = chooser_.ExportCsvPath(this, suggested);
  if (path.isEmpty()) return;
  const Status saved = SaveTextFile(NativePath(QFileInfo(path).absoluteFilePath()),
                                    ExportChannelsCsv(document_.Channels()));
  if (!saved) prompter_.Tell(saved.message);
}

void CMainFrame::OnImportChannels() {
  const FileChooser::CsvImport choice = chooser_.ImportCsvPath(this);
  if (choice.path.isEmpty()) return;
  std::string csv;
  const Status loaded = LoadTextFile(NativePath(QFileInfo(choice.path).absoluteFilePath()), csv);
  if (!loaded) {
    prompter_.Tell(loaded.message);
    return;
  }
  view_->EditCommands().ImportCsv(csv, choice.replaceAll);
}

}  // namespace korvel
