#include "link/port_problem.h"

// What the system says of a port: port_problem_posix.cpp.

#include "model/number_text.h"

namespace korvel {

std::string NoAnswerDetail(const std::string& devicePath, int attempts, long long elapsedMs, const char* what) {
  const std::string seconds = FormatFixed(static_cast<double>(elapsedMs) / 1000.0, 0, 1);
  return std::string(what) + " on " + devicePath + " after " + std::to_string(attempts) +
         (attempts == 1 ? " attempt (" : " attempts (") + seconds + " s)";
}

}  // namespace korvel
