#include "text_file.h"

#include "atomic_file.h"
#include "readable_file.h"

namespace korvel {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

Status TooLarge(const std::string& path) {
  return Status::Failure(FailureKind::FileFormat, "\"" + path + "\" is larger than " +
                                                      std::to_string(kTextFileLimit / (1024 * 1024)) +
                                                      " MiB: it is not a channel list.");
}

}  // namespace

Status LoadTextFile(const std::string& path, std::string& text) {
  ReadableFile file;
  if (Status opened = file.Open(path); !opened) return opened;
  if (file.Size() > kTextFileLimit) return TooLarge(path);
  // Room for one byte more than the limit: a file that grew since it was
  // measured is read to its end or found too large, never cut short.
  std::string content(static_cast<std::size_t>(kTextFileLimit) + 1, '\0');
  std::size_t got = 0;
  if (Status read = file.Read(content.data(), content.size(), &got); !read) return read;
  if (got > kTextFileLimit) return TooLarge(path);
  content.resize(got);
  if (content.starts_with(kUtf8Bom)) content.erase(0, kUtf8Bom.size());
  text = std::move(content);
  return {};
}

Status SaveTextFile(const std::string& path, std::string_view text) {
  AtomicFile file;
  if (Status prepared = file.Prepare(path); !prepared) return prepared;
  return file.Commit(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

}  // namespace korvel
