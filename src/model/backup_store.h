#pragma once
// A folder of backups: radio memories kept as channel data files named by
// the date, the time and the radio, e.g. 2026-12-08_141503_KR-300.sin, and
// no more than a limit of them, the oldest going first.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "memory_image.h"
#include "status.h"

namespace korvel {

struct BackupEntry {
  std::string path;
  std::string radioIdent;  // as the name gives it (sanitized)
  std::chrono::system_clock::time_point when;  // the local time in the name
  int number = 1;  // its _2, _3 ... suffix; 1 without one
};

class BackupStore {
 public:
  static constexpr int kDefaultLimit = 200;
  explicit BackupStore(std::string folder, int limit = kDefaultLimit);

  // Linux: $XDG_DATA_HOME/Korvel/backups, or $HOME/.local/share/Korvel/backups
  // when XDG_DATA_HOME is unset, empty or not an absolute path. Windows:
  // %LOCALAPPDATA%\Korvel\backups.
  static std::string DefaultFolder();

  // Makes the folder (and its missing parents, mode 0700) and checks that
  // backups can be written there, so a caller can refuse early.
  Status Prepare() const;
  // Writes the image atomically as a new file named by `when` (local time)
  // and the radio ident (characters other than letters, digits, '.' and '-'
  // become '-'; "radio" when empty), with _2, _3 ... after the backups of
  // that second and radio there are (one past the highest number); then
  // removes the oldest backups beyond the limit, never the one just
  // written. On success *path (if given) names the file. A failure leaves
  // no file behind.
  Status Keep(const MemoryImage& image, std::string_view radioIdent, std::chrono::system_clock::time_point when,
              std::string* path = nullptr);
  // The backups in the folder, newest first (by the time in the name, then
  // by the number of its suffix). Files not named as backups are left out,
  // and never removed.
  std::vector<BackupEntry> List() const;

  const std::string& Folder() const { return folder_; }

 private:
  void Prune(const std::string& kept) const;

  std::string folder_;
  int limit_;
};

// The ident as it stands in a backup's name.
std::string BackupIdent(std::string_view radioIdent);

}  // namespace korvel
