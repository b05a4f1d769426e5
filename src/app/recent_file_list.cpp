#include "app/recent_file_list.h"

#include <QFileInfo>

#include "app/file_chooser.h"

namespace korvel {
namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString EntryKey(int index) { return QStringLiteral("File%1").arg(index + 1); }

std::vector<std::string> Load(QSettings& settings, int capacity) {
  std::vector<std::string> paths;
  settings.beginGroup(kGroup);
  for (int i = 0; i < capacity; ++i) paths.push_back(NativePath(settings.value(EntryKey(i)).toString()));
  settings.endGroup();
  return paths;
}

}  // namespace

RecentFileList::RecentFileList(QSettings& settings, int capacity)
    : settings_(settings), paths_(Load(settings, capacity), static_cast<std::size_t>(capacity)) {}

QStringList RecentFileList::Paths() const {
  QStringList paths;
  for (const std::string& path : paths_.Paths()) paths.append(PathText(path));
  return paths;
}

void RecentFileList::Add(const QString& path) {
  paths_.Add(NativePath(QFileInfo(path).absoluteFilePath()));
  Store();
}

void RecentFileList::Remove(int index) {
  if (index < 0) return;
  paths_.Remove(static_cast<std::size_t>(index));
  Store();
}

void RecentFileList::Store() {
  settings_.beginGroup(kGroup);
  settings_.remove(QString());
  const QStringList paths = Paths();
  for (int i = 0; i < paths.size(); ++i) settings_.setValue(EntryKey(i), paths.at(i));
  settings_.endGroup();
  settings_.sync();
}

}  // namespace korvel
