#pragma once
// File > Open Backup: the kept radio memories, newest first, in columns
// under headings: when it was kept, the radio's ident, the file's name. Open loads the chosen one; Compare
// shows how it differs from the document.

#include <QDialog>
#include <QString>
#include <vector>

#include "model/backup_store.h"

class QTreeWidget;
class QPushButton;

namespace korvel {

class BackupListDialog : public QDialog {
  Q_OBJECT
 public:
  enum Choice { Open = 1, Compare = 2 };

  BackupListDialog(const QString& folder, std::vector<BackupEntry> backups, QWidget* parent = nullptr);

  QTreeWidget* List() const { return list_; }
  QPushButton* OpenButton() const { return open_; }
  QPushButton* CompareButton() const { return compare_; }
  // The path of the backup chosen; empty when none is.
  QString ChosenPath() const;

 private:
  std::vector<BackupEntry> backups_;
  QTreeWidget* list_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* compare_ = nullptr;
};

}  // namespace korvel
