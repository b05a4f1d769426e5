#pragma once
// The file system calls a backup folder needs, on UTF-8 paths, one
// implementation per system.

#include <string>
#include <vector>

#include "status.h"

namespace korvel::backup_folder {

// Where backups go by default, the system's own place for a program's data.
std::string DefaultFolder();
// Makes the folder and its missing parents (for this user only, where the
// system has modes) and checks that files can be made in it.
Status Make(const std::string& folder);
// The names of the regular files in the folder (no links, no folders).
std::vector<std::string> RegularFiles(const std::string& folder);
// Anything at path, a dangling link included.
bool Exists(const std::string& path);
void Remove(const std::string& path);

}  // namespace korvel::backup_folder
