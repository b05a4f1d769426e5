#include "app/file_chooser.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>

namespace korvel {
namespace {

const QString kLastFolderKey = QStringLiteral("File Dialogs/Last Folder");
const QString kExportLayoutKey = QStringLiteral("File Dialogs/Export Layout");

}  // namespace

QString ChannelFileFilter() { return QStringLiteral("Channel Data (*.sin)"); }

QString CsvFileFilter() { return QStringLiteral("Channels as CSV (*.csv);;All Files (*)"); }

QString CsvLayoutFilter(ChannelLayout layout) {
  return layout == ChannelLayout::Interchange ? QStringLiteral("Interchange layout (*.csv)")
                                              : QStringLiteral("Korvel channel list (*.csv)");
}

QString LastFileFolder(const QSettings& settings) {
  const QString folder = settings.value(kLastFolderKey).toString();
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void RememberFileFolder(QSettings& settings, const QString& path) {
  if (path.isEmpty()) return;
  settings.setValue(kLastFolderKey, QFileInfo(path).absolutePath());
  settings.sync();
}

QString DialogFileChooser::OpenPath(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Open"), LastFileFolder(settings_), ChannelFileFilter());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().constFirst();
  RememberFileFolder(settings_, path);
  return path;
}

QString DialogFileChooser::SavePath(QWidget* parent, const QString& suggested) {
  return ChooseSavePath(parent, QStringLiteral("Save As"), suggested, ChannelFileFilter(),
                        QString::fromLatin1(kChannelFileSuffix));
}

FileChooser::CsvExport DialogFileChooser::ExportCsvPath(QWidget* parent, const QString& suggested) {
  const QString interchange = CsvLayoutFilter(ChannelLayout::Interchange);
  // The type chosen last time comes first again.
  QString filter = settings_.value(kExportLayoutKey).toString() == interchange
                       ? interchange
                       : CsvLayoutFilter(ChannelLayout::Korvel);
  const QString path =
      ChooseSavePath(parent, QStringLiteral("Export Channels"), suggested,
                     CsvLayoutFilter(ChannelLayout::Korvel) + QStringLiteral(";;") + interchange,
                     QString::fromLatin1(kCsvFileSuffix), &filter);
  if (path.isEmpty()) return {};
  settings_.setValue(kExportLayoutKey, filter);
  return {path, filter == interchange ? ChannelLayout::Interchange : ChannelLayout::Korvel};
}

FileChooser::CsvImport DialogFileChooser::ImportCsvPath(QWidget* parent) {
  // Qt's own dialog, so that the choice can sit below the file list.
  QFileDialog dialog(parent, QStringLiteral("Import Channels"), LastFileFolder(settings_), CsvFileFilter());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  auto* replace = new QCheckBox(QStringLiteral("Replace all channels"), &dialog);
  replace->setToolTip(QStringLiteral("Channels the file does not name become empty"));
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    grid->addWidget(replace, grid->rowCount(), 0, 1, -1);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().constFirst();
  RememberFileFolder(settings_, path);
  return {path, replace->isChecked()};
}

QString DialogFileChooser::ChooseSavePath(QWidget* parent, const QString& caption, const QString& suggested,
                                          const QString& filter, const QString& suffix, QString* chosenFilter) {
  // A bare suggested name starts in the last folder; a path keeps its own.
  const QString start = suggested.isEmpty() || QFileInfo(suggested).isRelative()
                            ? QDir(LastFileFolder(settings_)).filePath(suggested)
                            : suggested;
  QFileDialog dialog(parent, caption, start, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(suffix);
  if (!suggested.isEmpty()) dialog.selectFile(start);
  if (chosenFilter != nullptr) dialog.selectNameFilter(*chosenFilter);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().constFirst();
  if (chosenFilter != nullptr) *chosenFilter = dialog.selectedNameFilter();
  RememberFileFolder(settings_, path);
  return path;
}

}  // namespace korvel
