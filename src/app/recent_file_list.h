#pragma once
// The recent-file list: the last four channel data files opened or saved,
// newest first, kept in the settings between runs.

#include <QSettings>
#include <QString>
#include <QStringList>

namespace korvel {

// Organisation and application names of the settings that hold the list.
inline constexpr const char* kSettingsOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "Korvel";

class RecentFileList {
 public:
  RecentFileList(QSettings& settings, int capacity);

  const QStringList& Paths() const { return paths_; }
  // Puts path first, dropping an older entry of the same file and the
  // oldest entry beyond the capacity; stores the list at once.
  void Add(const QString& path);
  void Remove(int index);

 private:
  void Load();
  void Store();

  QSettings& settings_;
  int capacity_;
  QStringList paths_;
};

}  // namespace korvel
