#pragma once
// The system's own words that end the messages of failures the tests
// cause: strerror's on Linux, FormatMessage's on Windows. Header-only.

#include <string>

#ifdef _WIN32
#include "model/windows_text.h"
#endif

namespace korvel::test {

// A file that does not exist, in a folder that does.
inline std::string NoSuchFileText() {
#ifdef _WIN32
  return windows::ErrorText(ERROR_FILE_NOT_FOUND);
#else
  return "No such file or directory";
#endif
}

// A file in a folder that does not exist.
inline std::string NoSuchFolderText() {
#ifdef _WIN32
  return windows::ErrorText(ERROR_PATH_NOT_FOUND);
#else
  return "No such file or directory";
#endif
}

}  // namespace korvel::test
