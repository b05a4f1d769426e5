#pragma once
// A file system that is full: a small tmpfs mounted over a fresh temporary
// folder, for the saves that must fail whole when the disk has no room.
// Mounting needs the privilege to (root, or a user namespace of the test's
// own where the system allows one); where neither is there, Mounted() is
// false and the caller skips.

#include <cstddef>
#include <string>

#include "temp_dir.h"

namespace korvel::test {

class SmallDisk {
 public:
  // A file system of `bytes` (rounded up to whole pages by the system).
  explicit SmallDisk(std::size_t bytes = 64 * 1024);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  // Why it could not be mounted, for the skip message.
  const std::string& Why() const { return why_; }
  std::string File(const std::string& name) const { return folder_.File(name); }
  // Takes up all the room left with a filler file, so the next write that
  // needs a new block fails with "No space left on device".
  void Fill();

 private:
  TempDir folder_;
  bool mounted_ = false;
  std::string why_;
};

// Skips the test, with the reason, where no small disk can be mounted.
#define KORVEL_NEED_SMALL_DISK(disk) \
  if (!(disk).Mounted()) GTEST_SKIP() << "no small file system: " << (disk).Why()

}  // namespace korvel::test
