#include "temp_dir.h"

#include <random>
#include <stdexcept>
#include <system_error>

namespace korvel::test {

TempDir::TempDir() {
  // A name nobody has: create_directory fails for one that exists.
  std::random_device random;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path path = base / ("korvel-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(path)) {
      path_ = std::move(path);
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder in " + base.string());
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace korvel::test
