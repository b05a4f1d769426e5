#include <cstring>

#include "status.h"

namespace korvel {

std::string SystemReason(int error) {
  char buffer[256] = {};
  if (::strerror_s(buffer, sizeof buffer, error) != 0) return "error " + std::to_string(error);
  return buffer;
}

}  // namespace korvel
