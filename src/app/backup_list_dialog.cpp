#include "app/backup_list_dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korvel {

BackupListDialog::BackupListDialog(const QString& folder, std::vector<BackupEntry> backups, QWidget* parent)
    : QDialog(parent), backups_(std::move(backups)) {
  setWindowTitle(QStringLiteral("Open Backup"));
  auto* layout = new QVBoxLayout(this);
  auto* where = new QLabel(
      backups_.empty() ? QStringLiteral("No backups yet in %1. Each complete read keeps one.")
                             .arg(QDir::toNativeSeparators(folder))
                       : QStringLiteral("Radio memories kept in %1, newest first:").arg(QDir::toNativeSeparators(folder)),
      this);
  where->setWordWrap(true);
  layout->addWidget(where);

  list_ = new QTreeWidget(this);
  list_->setAccessibleName(QStringLiteral("Backups"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setHeaderLabels({QStringLiteral("Kept"), QStringLiteral("Radio"), QStringLiteral("File")});
  for (const BackupEntry& backup : backups_) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(backup.when.time_since_epoch()).count();
    const QString when = QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    list_->addTopLevelItem(new QTreeWidgetItem(
        {when, QString::fromStdString(backup.radioIdent), QFileInfo(QString::fromStdString(backup.path)).fileName()}));
  }
  for (int column = 0; column < list_->columnCount(); ++column) list_->resizeColumnToContents(column);
  if (!backups_.empty()) list_->setCurrentItem(list_->topLevelItem(0));
  layout->addWidget(list_, 1);

  auto* buttons = new QDialogButtonBox(this);
  open_ = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::AcceptRole);
  compare_ = buttons->addButton(QStringLiteral("&Compare With Document"), QDialogButtonBox::ActionRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  open_->setEnabled(!backups_.empty());
  compare_->setEnabled(!backups_.empty());
  connect(open_, &QPushButton::clicked, this, [this] { done(Open); });
  connect(compare_, &QPushButton::clicked, this, [this] { done(Compare); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { done(Open); });
  layout->addWidget(buttons);
  resize(560, 400);
}

QString BackupListDialog::ChosenPath() const {
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  if (row < 0 || row >= static_cast<int>(backups_.size())) return {};
  return QString::fromStdString(backups_[static_cast<std::size_t>(row)].path);
}

}  // namespace korvel
