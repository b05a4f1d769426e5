#pragma once
// What the Windows implementations share: the program's UTF-8 paths as the
// wide strings Windows' own calls take (long ones with the \\?\ prefix that
// lifts the 260-character limit), and the system's text for an error code.

#include <windows.h>

#include <cstdint>
#include <string>

#include "status.h"

namespace korvel::windows {

// The handle an object keeps as a number (-1: none, INVALID_HANDLE_VALUE).
inline HANDLE AsHandle(std::intptr_t file) { return reinterpret_cast<HANDLE>(file); }

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
// An absolute path in the form that takes any length: \\?\C:\... or
// \\?\UNC\server\share\...; '/' becomes '\'. Relative paths are made
// absolute first (the prefix turns off Windows' own path clean-up).
std::wstring LongPath(const std::string& utf8);
// FormatMessage's text for a Windows error code, without the line end.
std::string ErrorText(DWORD error);
// "<what> "<subject>": <the system's text for error>".
Status FromError(FailureKind kind, const std::string& what, const std::string& subject, DWORD error);

}  // namespace korvel::windows
