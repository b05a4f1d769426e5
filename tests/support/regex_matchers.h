#pragma once
// Matchers for POSIX extended regular expressions on every system:
// GoogleTest's own take only a handful of their forms where the system has
// no POSIX regex (Windows). Header-only.

#include <gmock/gmock.h>

#include <regex>
#include <string>

namespace korvel::test {

// The whole text matches.
MATCHER_P(MatchesRegex, pattern, std::string(negation ? "doesn't match" : "matches") + " \"" + pattern + "\"") {
  return std::regex_match(std::string(arg), std::regex(std::string(pattern), std::regex::extended));
}

}  // namespace korvel::test
