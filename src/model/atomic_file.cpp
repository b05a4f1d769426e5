#include "atomic_file.h"

#include <random>

namespace korvel {

std::string TemporaryName() {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::string name = kTemporaryPrefix;
  for (int i = 0; i < 8; ++i) name += kChars[random() % (sizeof kChars - 1)];
  return name;
}

}  // namespace korvel
