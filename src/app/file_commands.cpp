#include "app/file_commands.h"

#include <QDir>
#include <QFileInfo>

#include "app/backup_list_dialog.h"
#include "app/differences_dialog.h"
#include "editor/channel_edit_commands.h"
#include "editor/kov_view.h"
#include "model/backup_store.h"
#include "model/channel_csv.h"
#include "model/image_diff.h"
#include "model/interchange_csv.h"
#include "model/text_file.h"

namespace korvel {
namespace {

// A path as the user named it, made absolute for the model's file functions.
std::string AbsolutePath(const QString& path) { return NativePath(QFileInfo(path).absoluteFilePath()); }

// The name of a file the user chose, as the model's texts take it.
std::string FileNameOf(const QString& path) { return QFileInfo(path).fileName().toStdString(); }
// The name of the document's file.
QString DocumentFileName(const std::string& path) { return QFileInfo(PathText(path)).fileName(); }

}  // namespace

FileCommands::FileCommands(CKovDoc& document, Prompter& prompter, FileChooser& chooser, QSettings& settings,
                           CKovView& view, QWidget& window)
    : QObject(&window),
      document_(document),
      prompter_(prompter),
      chooser_(chooser),
      view_(view),
      window_(window),
      recent_(settings, kRecentFileCount),
      commands_(document, prompter, this) {}

void FileCommands::CommitEdit() { view_.CommitEdit(); }

void FileCommands::ShowDocument() {
  const std::string& path = document_.PathName();
  SetName(path.empty() ? QStringLiteral("Untitled") : DocumentFileName(path));
  view_.OnInitialUpdate();
  view_.setMinimumSize(view_.FormSize());
}

void FileCommands::TookPath(const std::string& path) {
  SetName(DocumentFileName(path));
  recent_.Add(PathText(path));
  emit recentFilesChanged();
}

void FileCommands::SetName(const QString& name) {
  if (name == name_) return;
  name_ = name;
  emit documentNamed();
}

bool FileCommands::Saved(bool saved) {
  if (saved) emit outcome(QStringLiteral("Saved ") + DocumentFileName(document_.PathName()));
  return saved;
}

std::string FileCommands::ChooseSavePath(const std::string& current) {
  const QString suggested = current.empty() ? QStringLiteral("Untitled.sin") : PathText(current);
  QString path = chooser_.SavePath(&window_, suggested);
  if (path.isEmpty()) return {};
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".") + QLatin1String(kChannelFileSuffix);
  return AbsolutePath(path);
}

bool FileCommands::New() {
  if (!commands_.SaveModified()) return false;
  commands_.New();
  return true;
}

bool FileCommands::Open() {
  const QString path = chooser_.OpenPath(&window_);
  if (path.isEmpty()) return false;
  return OpenAsking(path);
}

bool FileCommands::OpenFile(const QString& path) { return commands_.Open(AbsolutePath(path)); }

bool FileCommands::OpenAsking(const QString& path) { return commands_.SaveModified() && OpenFile(path); }

void FileCommands::OpenRecent(int index) {
  const QStringList paths = recent_.Paths();
  if (index < 0 || index >= paths.size()) return;
  if (!commands_.SaveModified()) return;
  // The document takes that file's path, so a later Save writes there.
  if (!OpenFile(paths.at(index))) {
    recent_.Remove(index);
    emit recentFilesChanged();
  }
}

void FileCommands::ExportChannels() {
  // An edit still open in a cell belongs to what is exported.
  view_.CommitEdit();
  // Beside the document, under its name.
  const std::string& current = document_.PathName();
  QString suggested = QStringLiteral("Channels.csv");
  if (!current.empty()) {
    const QFileInfo file(PathText(current));
    suggested = file.dir().filePath(file.completeBaseName() + QStringLiteral(".csv"));
  }
  const FileChooser::CsvExport choice = chooser_.ExportCsvPath(&window_, suggested);
  const QString& path = choice.path;
  if (path.isEmpty()) return;
  const ChannelListText list = ExportChannelList(document_.Channels(), choice.layout);
  if (!list.refusal.empty()) {
    prompter_.Tell(list.refusal);
    return;
  }
  const Status saved = SaveTextFile(AbsolutePath(path), list.csv);
  if (!saved) {
    prompter_.Tell(saved.message);
    return;
  }
  emit outcome(QString::fromStdString(DescribeCsvExport(ChannelsInUse(document_.Channels()).size(), FileNameOf(path))));
}

void FileCommands::ImportChannels() {
  const FileChooser::CsvImport choice = chooser_.ImportCsvPath(&window_);
  if (choice.path.isEmpty()) return;
  std::string csv;
  const Status loaded = LoadTextFile(AbsolutePath(choice.path), csv);
  if (!loaded) {
    prompter_.Tell(loaded.message);
    return;
  }
  const std::optional<CsvImportOutcome> imported = view_.EditCommands().ImportCsv(csv, choice.replaceAll);
  if (imported) {
    emit outcome(QString::fromStdString(DescribeCsvImport(imported->channels, FileNameOf(choice.path),
                                                          choice.replaceAll) +
                                        DescribeImportNotes(*imported)));
  }
}

void FileCommands::OpenBackup(const std::string& folder) {
  BackupStore store(folder);
  BackupListDialog dialog(QString::fromStdString(store.Folder()), store.List(), &window_);
  const int choice = dialog.exec();
  const QString path = dialog.ChosenPath();
  if (path.isEmpty()) return;
  if (choice == BackupListDialog::Compare) {
    CompareWithFile(path);
    return;
  }
  if (choice != BackupListDialog::Open || !commands_.SaveModified()) return;
  // Untitled, but named after the backup it is a copy of.
  if (commands_.OpenUntitled(NativePath(path))) SetName(QFileInfo(path).fileName() + QStringLiteral(" (unsaved copy)"));
}

void FileCommands::CompareWith() {
  const QString path = chooser_.OpenPath(&window_);
  if (!path.isEmpty()) CompareWithFile(path);
}

void FileCommands::CompareWithFile(const QString& path) {
  view_.CommitEdit();
  MemoryImage other{};
  const Status loaded = LoadChannelFile(NativePath(path), other);
  if (!loaded) {
    prompter_.Tell(loaded.message);
    return;
  }
  // The document as a save would write it now.
  MemoryImage current = document_.Image();
  document_.Channels().Collect(current);
  const QString name = QFileInfo(path).fileName();
  DifferencesDialog dialog(QStringLiteral("Compare With"),
                           QStringLiteral("This document compared with %1:").arg(name),
                           QStringLiteral("This document"), name, CompareImages(current, other), &window_);
  dialog.exec();
}

}  // namespace korvel
