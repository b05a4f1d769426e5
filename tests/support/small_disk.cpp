#include "small_disk.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace korvel::test {
namespace {

bool MountTmpfs(const std::string& where, std::size_t bytes) {
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
  return ::mount("korvel-test", where.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
}

bool WriteText(const char* path, const std::string& text) {
  const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(fd);
  return written;
}

// Enters a user and mount namespace of this process's own, keeping its user
// and group ids (the files made stay the user's), with the privilege to
// mount there. Works only while the process has one thread.
bool EnterOwnNamespace() {
  const std::string uid = std::to_string(::getuid());
  const std::string gid = std::to_string(::getgid());
  if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
  return WriteText("/proc/self/uid_map", uid + " " + uid + " 1") && WriteText("/proc/self/setgroups", "deny") &&
         WriteText("/proc/self/gid_map", gid + " " + gid + " 1");
}

}  // namespace

SmallDisk::SmallDisk(std::size_t bytes) {
  const std::string where = folder_.Path().string();
  if (MountTmpfs(where, bytes)) {
    mounted_ = true;
    return;
  }
  if (errno == EPERM && EnterOwnNamespace() && MountTmpfs(where, bytes)) {
    mounted_ = true;
    return;
  }
  why_ = std::strerror(errno);
}

SmallDisk::~SmallDisk() {
  if (mounted_) ::umount2(folder_.Path().c_str(), MNT_DETACH);
}

void SmallDisk::Fill() {
  const int fd = ::open(File(".filler").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return;
  const std::vector<char> block(4096, 'x');
  while (::write(fd, block.data(), block.size()) > 0) {
  }
  // The last partial page too.
  while (::write(fd, block.data(), 1) > 0) {
  }
  ::close(fd);
}

}  // namespace korvel::test
