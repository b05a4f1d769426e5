#include "recent_paths.h"

#include <filesystem>
#include <system_error>

#include "utf8_path.h"

namespace korvel {
namespace {

// Two names of one file count as the same entry; a file that is gone is
// known by the name it had.
std::string SameFileKey(const std::string& path) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::canonical(PathFromUtf8(path), error);
  return error ? path : Utf8FromPath(canonical);
}

}  // namespace

RecentPaths::RecentPaths(std::vector<std::string> paths, std::size_t capacity)
    : paths_(std::move(paths)), capacity_(capacity) {
  std::erase(paths_, std::string());
  if (paths_.size() > capacity_) paths_.resize(capacity_);
}

void RecentPaths::Add(const std::string& path) {
  const std::string key = SameFileKey(path);
  std::erase_if(paths_, [&key](const std::string& entry) { return SameFileKey(entry) == key; });
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > capacity_) paths_.resize(capacity_);
}

void RecentPaths::Remove(std::size_t index) {
  if (index < paths_.size()) paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace korvel
