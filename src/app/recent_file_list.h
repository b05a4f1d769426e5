#pragma once
// The recent-file list: the last four channel data files opened or saved,
// newest first (the rules of RecentPaths), kept in the settings between runs.

#include <QSettings>
#include <QString>
#include <QStringList>

#include "model/recent_paths.h"

namespace korvel {

// Organisation and application names of the settings that hold the list.
inline constexpr const char* kSettingsOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "Korvel";

class RecentFileList {
 public:
  RecentFileList(QSettings& settings, int capacity);

  QStringList Paths() const;
  // Puts path first (see RecentPaths::Add); stores the list at once.
  void Add(const QString& path);
  void Remove(int index);

 private:
  void Store();

  QSettings& settings_;
  RecentPaths paths_;
};

}  // namespace korvel
