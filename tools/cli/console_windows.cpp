#include <windows.h>
#include <io.h>
#include <shellapi.h>

#include <atomic>
#include <cstdlib>

#include "console.h"
#include "model/windows_text.h"

namespace korvel::cli {
namespace {

std::atomic<CancelToken*> gStopTarget{nullptr};
std::atomic<bool> gStopRequested{false};
// Set once the command has ended (its port closed, its messages out).
HANDLE gCommandEnded = nullptr;
UINT gFormerOutputPage = 0;

// The console's control events come on a thread of their own. Ctrl+C and
// Ctrl+Break raise the cancel request and are handled; a closed console, a
// log-off or a shutdown end the process as soon as this returns, so they
// wait for the command to end first (the system allows a few seconds). A
// second event of any kind goes on to the system's own handler, which ends
// the program at once.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (gStopRequested.exchange(true)) return FALSE;
  if (CancelToken* cancel = gStopTarget.load()) cancel->Raise();
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  if (gCommandEnded != nullptr) ::WaitForSingleObject(gCommandEnded, INFINITE);
  return TRUE;
}

void RestoreOutputPage() { ::SetConsoleOutputCP(gFormerOutputPage); }

}  // namespace

std::vector<std::string> CommandArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(windows::Utf8(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

// The console's own code page is the user's (850, 1252...), which shows
// the UTF-8 bytes as other characters; the former one comes back at exit,
// since the console outlives the program.
void UseUtf8Console() {
  const UINT page = ::GetConsoleOutputCP();
  if (page == 0 || page == CP_UTF8) return;
  if (!::SetConsoleOutputCP(CP_UTF8)) return;
  gFormerOutputPage = page;
  std::atexit(RestoreOutputPage);
}

// A console, not merely a character device (the NUL device is one too).
bool IsTerminal(std::FILE* stream) {
  const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) != 0;
}

int RunStoppable(CancelToken& cancel, const std::function<int()>& command) {
  cancel.Reset();
  gStopRequested = false;
  gStopTarget = &cancel;
  if (gCommandEnded == nullptr) gCommandEnded = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (gCommandEnded != nullptr) ::ResetEvent(gCommandEnded);
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  const int status = command();
  std::fflush(stdout);
  std::fflush(stderr);
  if (gCommandEnded != nullptr) ::SetEvent(gCommandEnded);
  ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  gStopTarget = nullptr;
  return status;
}

}  // namespace korvel::cli
