#pragma once
// The detail line under a message about the port: the device and what
// happened, in the words a user can act on. The window and the command line
// both show it below the program's own text.

#include <string>

namespace korvel {

// "<device>: <call>: <system reason>", then what it means. error is the
// system's error number: errno on POSIX, GetLastError() on Windows.
// POSIX (port_problem_posix.cpp):
// - refused permission (EACCES, EPERM) on open: the dialout group advice;
// - in use (EBUSY, or the exclusive lock or flag refused): "held by <name>,
//   process <pid>" when a walk of /proc/*/fd finds a process with the same
//   device open, else nothing more;
// - missing (ENOENT, ENODEV, ENXIO) on open: that the device does not exist.
// Call it once the failed descriptor is closed, so that it is not found.
// Windows (port_problem_windows.cpp), on CreateFileA:
// - refused (ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_BUSY): in
//   use by another program, since a COM port is opened exclusively;
// - missing (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND): no such port.
std::string PortFailureDetail(const std::string& devicePath, const std::string& call, int error);

// "no answer on <device> after <n> attempt(s) (<seconds, one decimal> s)";
// what replaces "no answer" for a radio that answered amiss.
std::string NoAnswerDetail(const std::string& devicePath, int attempts, long long elapsedMs,
                           const char* what = "no answer");

}  // namespace korvel
