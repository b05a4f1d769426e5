#include "app/file_chooser.h"

#include <QFileDialog>

namespace korvel {

QString ChannelFileFilter() { return QStringLiteral("Channel Data (*.sin)"); }

QString DialogFileChooser::OpenPath(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Open"), QString(), ChannelFileFilter());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

QString DialogFileChooser::SavePath(QWidget* parent, const QString& suggested) {
  QFileDialog dialog(parent, QStringLiteral("Save As"), suggested, ChannelFileFilter());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromLatin1(kChannelFileSuffix));
  if (!suggested.isEmpty()) dialog.selectFile(suggested);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace korvel
