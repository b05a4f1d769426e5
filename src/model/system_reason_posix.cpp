#include <cstring>

#include "status.h"

namespace korvel {
namespace {

// strerror_r comes in two shapes; each overload takes the one it is given.
[[maybe_unused]] std::string ReasonFrom(int result, const char* buffer) {
  return result == 0 ? std::string(buffer) : std::string("error ") + std::to_string(result);
}
[[maybe_unused]] std::string ReasonFrom(const char* text, const char* /*buffer*/) { return text; }

}  // namespace

std::string SystemReason(int error) {
  char buffer[256] = {};
  return ReasonFrom(::strerror_r(error, buffer, sizeof buffer), buffer);
}

}  // namespace korvel
