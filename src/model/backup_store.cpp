#include "backup_store.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <tuple>

#include "atomic_file.h"
#include "backup_folder.h"
#include "local_time.h"
#include "text_compare.h"
#include "utf8_path.h"

namespace korvel {
namespace {

constexpr std::string_view kExtension = ".sin";
// "2026-12-08_141503": the local time a name starts with.
constexpr std::size_t kTimeLength = 17;
// How many numbered names a backup tries before it gives up.
constexpr int kNameAttempts = 1000;

// The time a name starts with; false when it does not start with one.
bool ParseTime(std::string_view text, std::chrono::system_clock::time_point* when) {
  if (text.size() != kTimeLength || text[4] != '-' || text[7] != '-' || text[10] != '_') return false;
  const auto number = [&](std::size_t at, std::size_t length, int* value) {
    if (!IsDigits(text.substr(at, length))) return false;
    *value = std::atoi(std::string(text.substr(at, length)).c_str());
    return true;
  };
  std::tm local{};
  if (!number(0, 4, &local.tm_year) || !number(5, 2, &local.tm_mon) || !number(8, 2, &local.tm_mday) ||
      !number(11, 2, &local.tm_hour) || !number(13, 2, &local.tm_min) || !number(15, 2, &local.tm_sec))
    return false;
  local.tm_year -= 1900;
  local.tm_mon -= 1;
  local.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&local);
  if (seconds == static_cast<std::time_t>(-1)) return false;
  *when = std::chrono::system_clock::from_time_t(seconds);
  return true;
}

// The number of a name's suffix; one too large to count is the largest.
int SuffixNumber(std::string_view digits) {
  int number = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return result.ec == std::errc::result_out_of_range ? std::numeric_limits<int>::max() : number;
}

// A backup's name: time, '_', ident, optionally '_' and a number, ".sin".
// Fills the entry's ident, time and number.
bool ParseName(const std::string& name, BackupEntry* entry) {
  if (name.size() <= kTimeLength + 1 + kExtension.size() || !name.ends_with(kExtension)) return false;
  if (name[kTimeLength] != '_' || !ParseTime(std::string_view(name).substr(0, kTimeLength), &entry->when))
    return false;
  std::string_view rest(name);
  rest = rest.substr(kTimeLength + 1, rest.size() - kTimeLength - 1 - kExtension.size());
  if (const std::size_t underscore = rest.rfind('_'); underscore != std::string_view::npos) {
    if (!IsDigits(rest.substr(underscore + 1))) return false;
    entry->number = SuffixNumber(rest.substr(underscore + 1));
    rest = rest.substr(0, underscore);
  }
  if (rest.empty() || BackupIdent(rest) != rest) return false;
  entry->radioIdent = std::string(rest);
  return true;
}

}  // namespace

std::string BackupIdent(std::string_view radioIdent) {
  if (radioIdent.empty()) return "radio";
  std::string ident;
  for (const char c : radioIdent) {
    const bool safe = std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '-';
    ident += safe ? c : '-';
  }
  // Not a hidden file, and never "." or "..".
  if (ident.front() == '.') ident.front() = '-';
  return ident;
}

BackupStore::BackupStore(std::string folder, int limit) : folder_(std::move(folder)), limit_(std::max(1, limit)) {}

std::string BackupStore::DefaultFolder() { return backup_folder::DefaultFolder(); }

Status BackupStore::Prepare() const { return backup_folder::Make(folder_); }

Status BackupStore::Keep(const MemoryImage& image, std::string_view radioIdent,
                         std::chrono::system_clock::time_point when, std::string* path) {
  if (Status prepared = Prepare(); !prepared) return prepared;
  const std::string stamp = FormatLocalTime(when, "%Y-%m-%d_%H%M%S");
  const std::string ident = BackupIdent(radioIdent);
  // The system's own separator, so a message names the file as the system does.
  const std::string base = Utf8FromPath(PathFromUtf8(folder_) / (stamp + "_" + ident));
  // One past the highest number this second and radio have: a name that
  // pruning freed is not taken again, so the numbers keep the order in which
  // the backups were made.
  long long first = 1;
  for (const BackupEntry& entry : List()) {
    if (entry.radioIdent == ident && entry.path.compare(folder_.size() + 1, stamp.size(), stamp) == 0)
      first = std::max(first, entry.number + 1LL);
  }
  for (long long suffix = first; suffix < first + kNameAttempts; ++suffix) {
    std::string candidate = base;
    if (suffix > 1) candidate += "_" + std::to_string(suffix);
    candidate += kExtension;
    if (backup_folder::Exists(candidate)) continue;
    AtomicFile file;
    Status kept = file.Prepare(candidate);
    if (kept) kept = file.CommitAsNew(image.data(), image.size());
    // Another backup may have taken the name in the meantime.
    if (!kept && backup_folder::Exists(candidate)) continue;
    if (!kept) return kept;
    Prune(candidate);
    if (path != nullptr) *path = candidate;
    return {};
  }
  return Status::FromError(FailureKind::FileWrite, "Cannot keep a backup in", folder_, EEXIST);
}

std::vector<BackupEntry> BackupStore::List() const {
  std::vector<BackupEntry> entries;
  for (const std::string& name : backup_folder::RegularFiles(folder_)) {
    BackupEntry entry;
    if (!ParseName(name, &entry)) continue;
    entry.path = Utf8FromPath(PathFromUtf8(folder_) / name);
    entries.push_back(std::move(entry));
  }
  // Within one second, _2 came after the name without a suffix, _10 after _9.
  std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
    return std::tie(a.when, a.number, a.path) > std::tie(b.when, b.number, b.path);
  });
  return entries;
}

void BackupStore::Prune(const std::string& kept) const {
  const std::vector<BackupEntry> entries = List();
  std::size_t excess = entries.size() > static_cast<std::size_t>(limit_) ? entries.size() - limit_ : 0;
  for (auto entry = entries.rbegin(); entry != entries.rend() && excess > 0; ++entry) {
    if (entry->path == kept) continue;
    backup_folder::Remove(entry->path);
    --excess;
  }
}

}  // namespace korvel
