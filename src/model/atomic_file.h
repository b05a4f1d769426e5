#pragma once
// A file replaced whole or not at all. Prepare resolves the target (through
// symbolic links, which stay), refuses what may not be replaced (a folder,
// a device, a read-only file) and creates the new content's file in the
// target's folder: anonymous where the system allows, else under a hidden
// name. Commit writes, flushes and renames it over the target. A save that
// is abandoned or killed before Commit leaves the target as it was and no
// file a user would take for a save.

#include <cstddef>
#include <cstdint>
#include <string>

#include "status.h"

namespace korvel {

class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Can the target be replaced? Creates the temporary file if so.
  Status Prepare(const std::string& path);
  // Writes data as the target's whole content.
  Status Commit(const std::uint8_t* data, std::size_t size);
  // The same for a new file: fails, leaving the file that is there, when
  // the target exists by the time the content is complete.
  Status CommitAsNew(const std::uint8_t* data, std::size_t size);

  // The file a save through `path` replaces: symbolic links followed.
  const std::string& Target() const { return target_; }

 private:
  // A failure with the system's error code (errno, or Windows' own).
  Status Fail(int error);
  void Discard();
  Status Finish(const std::uint8_t* data, std::size_t size, bool replace);

  std::string path_;       // as given, for messages
  std::string target_;     // the file replaced
  std::string directory_;  // where the temporary file lives
  std::string tempName_;   // its name once it has one
  // The open temporary file: a descriptor, or a Windows handle; -1 (which
  // is also Windows' invalid handle) when there is none.
  std::intptr_t file_ = -1;
  bool anonymous_ = false;
};

// Temporary files of saves start with this. A save holds its own locked
// while it lives; the next save into the folder removes any that no save
// holds (a killed save's).
inline constexpr const char* kTemporaryPrefix = ".korvel-save-";
// A fresh temporary file name: the prefix and eight random letters and
// digits.
std::string TemporaryName();

}  // namespace korvel
