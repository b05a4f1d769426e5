#include "link/port_problem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "model/status.h"

namespace korvel {

namespace {

// A process holding a device open.
struct PortHolder {
  pid_t pid = 0;
  std::string name;  // its command name, as the system keeps it
};

// Calls visit with the name of each entry of the folder but the dot ones,
// until visit returns true.
template <typename Visit>
void ForEachDirectoryEntry(const std::string& path, Visit visit) {
  DIR* dir = ::opendir(path.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    if (visit(std::string(entry->d_name))) break;
  }
  ::closedir(dir);
}

bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string CommandName(const std::string& pid) {
  std::ifstream comm("/proc/" + pid + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

bool IsBusy(const std::string& call, int error) {
  if (error == EBUSY) return true;
  // The lock and the exclusive flag another holder set refuse with these.
  return call != "open" && (error == EWOULDBLOCK || error == EAGAIN);
}

// The first process found with a descriptor on the same device (the same
// character device number) as devicePath, by a walk of /proc/*/fd. Only the
// processes this user may look into are seen; none when the device is not a
// character device or nobody readable holds it.
std::optional<PortHolder> FindPortHolder(const std::string& devicePath) {
  struct stat device {};
  if (::stat(devicePath.c_str(), &device) != 0 || !S_ISCHR(device.st_mode)) return std::nullopt;
  std::optional<PortHolder> holder;
  ForEachDirectoryEntry("/proc", [&](const std::string& pid) {
    if (!IsNumber(pid)) return false;
    const std::string fds = "/proc/" + pid + "/fd";
    ForEachDirectoryEntry(fds, [&](const std::string& fd) {
      struct stat target {};
      // stat follows the descriptor's link to the file it has open.
      if (::stat((fds + "/" + fd).c_str(), &target) != 0) return false;
      if (!S_ISCHR(target.st_mode) || target.st_rdev != device.st_rdev) return false;
      holder = PortHolder{static_cast<pid_t>(std::atol(pid.c_str())), CommandName(pid)};
      return true;
    });
    return holder.has_value();
  });
  return holder;
}

}  // namespace

std::string PortFailureDetail(const std::string& devicePath, const std::string& call, int error) {
  std::string detail = devicePath + ": " + call + ": " + SystemReason(error);
  if (call == "open" && (error == EACCES || error == EPERM)) {
    detail +=
        " — your user may not use serial ports: add it to the dialout group (sudo adduser $USER dialout) "
        "and log in again";
  } else if (call == "open" && (error == ENOENT || error == ENODEV || error == ENXIO)) {
    detail += " — the device does not exist: is the cable plugged in?";
  } else if (IsBusy(call, error)) {
    if (const std::optional<PortHolder> holder = FindPortHolder(devicePath))
      detail += " — held by " + holder->name + ", process " + std::to_string(holder->pid);
  }
  return detail;
}

}  // namespace korvel
