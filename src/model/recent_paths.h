#pragma once
// The rules of the recent-file list: the last files opened or saved, newest
// first, each file once, at most a given number. Where the list is kept
// between runs is its owner's business.

#include <string>
#include <vector>

namespace korvel {

class RecentPaths {
 public:
  RecentPaths(std::vector<std::string> paths, std::size_t capacity);

  const std::vector<std::string>& Paths() const { return paths_; }
  // Puts path first, dropping an older entry of the same file (another name
  // of it through a link included) and the oldest entry beyond the capacity.
  void Add(const std::string& path);
  // Drops entry index; nothing for an index out of the list.
  void Remove(std::size_t index);

 private:
  std::vector<std::string> paths_;
  std::size_t capacity_;
};

}  // namespace korvel
