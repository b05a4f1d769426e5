#include "app/file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace korvel {
namespace {

const QString kLastFolderKey = QStringLiteral("File Dialogs/Last Folder");

}  // namespace

QString ChannelFileFilter() { return QStringLiteral("Channel Data (*.sin)"); }

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
  // A bare suggested name starts in the last folder; a path keeps its own.
  const QString start = suggested.isEmpty() || QFileInfo(suggested).isRelative()
                            ? QDir(LastFileFolder(settings_)).filePath(suggested)
                            : suggested;
  QFileDialog dialog(parent, QStringLiteral("Save As"), start, ChannelFileFilter());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromLatin1(kChannelFileSuffix));
  if (!suggested.isEmpty()) dialog.selectFile(start);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().constFirst();
  RememberFileFolder(settings_, path);
  return path;
}

}  // namespace korvel
