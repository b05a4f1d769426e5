#include "app/recent_file_list.h"

#include <QFileInfo>

namespace korvel {
namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString EntryKey(int index) { return QStringLiteral("File%1").arg(index + 1); }

// Two names of one file count as the same entry.
QString Canonical(const QString& path) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

RecentFileList::RecentFileList(QSettings& settings, int capacity) : settings_(settings), capacity_(capacity) {
  Load();
}

void RecentFileList::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const QString key = Canonical(absolute);
  for (qsizetype i = paths_.size() - 1; i >= 0; --i)
    if (Canonical(paths_.at(i)) == key) paths_.removeAt(i);
  paths_.prepend(absolute);
  while (paths_.size() > capacity_) paths_.removeLast();
  Store();
}

void RecentFileList::Remove(int index) {
  if (index < 0 || index >= paths_.size()) return;
  paths_.removeAt(index);
  Store();
}

void RecentFileList::Load() {
  settings_.beginGroup(kGroup);
  for (int i = 0; i < capacity_; ++i) {
    const QString path = settings_.value(EntryKey(i)).toString();
    if (!path.isEmpty() && paths_.size() < capacity_) paths_.append(path);
  }
  settings_.endGroup();
}

void RecentFileList::Store() {
  settings_.beginGroup(kGroup);
  settings_.remove(QString());
  for (int i = 0; i < paths_.size(); ++i) settings_.setValue(EntryKey(i), paths_.at(i));
  settings_.endGroup();
  settings_.sync();
}

}  // namespace korvel
