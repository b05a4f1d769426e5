#include <windows.h>

#include "link/port_problem.h"
#include "model/windows_text.h"

namespace korvel {

std::string PortFailureDetail(const std::string& devicePath, const std::string& call, int error) {
  const DWORD code = static_cast<DWORD>(error);
  std::string detail = devicePath + ": " + call + ": " + windows::ErrorText(code);
  if (call != "CreateFileA") return detail;
  // A COM port opens for one handle at a time: a second open, by this or
  // any other program, is refused with one of these; busy is a device's own
  // "in use".
  if (code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION || code == ERROR_BUSY) {
    detail += " — the port is in use by another program: close it and try again";
  } else if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
    detail += " — no such port on this computer: is the cable plugged in?";
  }
  return detail;
}

}  // namespace korvel
