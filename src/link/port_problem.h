#pragma once
// The detail line under a message about the port: the device and what
// happened, in the words a user can act on. The window and the command line
// both show it below the program's own text.

#include <sys/types.h>

#include <optional>
#include <string>

namespace korvel {

// A process holding a device open.
struct PortHolder {
  pid_t pid = 0;
  std::string name;  // its command name, as the system keeps it
};

// The first process found with a descriptor on the same device (the same
// character device number) as devicePath, by a walk of /proc/*/fd. Only the
// processes this user may look into are seen; none when the device is not a
// character device or nobody readable holds it.
std::optional<PortHolder> FindPortHolder(const std::string& devicePath);

// "<device>: <call>: <system reason>", then what it means:
// - refused permission (EACCES, EPERM) on open: the dialout group advice;
// - in use (EBUSY, or the exclusive lock or flag refused): "held by <name>,
//   process <pid>" when FindPortHolder finds one, else nothing more;
// - missing (ENOENT, ENODEV, ENXIO) on open: that the device does not exist.
// Call it once the failed descriptor is closed, so that it is not found.
std::string PortFailureDetail(const std::string& devicePath, const std::string& call, int error);

// "no answer on <device> after <n> attempt(s) (<seconds, one decimal> s)";
// what replaces "no answer" for a radio that answered amiss.
std::string NoAnswerDetail(const std::string& devicePath, int attempts, long long elapsedMs,
                           const char* what = "no answer");

}  // namespace korvel
