#pragma once
// The program's paths are UTF-8 on every system; std::filesystem takes a
// std::string in the system's narrow encoding, which on Windows is a code
// page that cannot spell every name (and fails on some). These convert as
// UTF-8 instead. Header-only.

#include <filesystem>
#include <string>

namespace korvel {

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace korvel
