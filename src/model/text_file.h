#pragma once
// Text files exchanged with other programs (channel lists as CSV): read
// whole, written whole or not at all.

#include <cstdint>
#include <string>
#include <string_view>

#include "status.h"

namespace korvel {

// A channel list is a few kilobytes; anything this large is not one.
inline constexpr std::uintmax_t kTextFileLimit = 4 * 1024 * 1024;

// Reads a regular file of at most kTextFileLimit bytes into text, without
// the UTF-8 byte order mark some editors put first. On failure text is
// unchanged.
Status LoadTextFile(const std::string& path, std::string& text);
// Replaces the file with text as AtomicFile does.
Status SaveTextFile(const std::string& path, std::string_view text);

}  // namespace korvel
