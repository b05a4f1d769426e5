#include "image_checks.h"

#include <sys/mman.h>
#include <unistd.h>

#include "model/channel_file.h"
#include "model/kov_document.h"
#include "model/optional_features.h"
#include "model/settings_block.h"

namespace korvel::fuzz {
namespace {

// The bytes as a file the loader opens by path, without touching the disk.
class MemoryFile {
 public:
  MemoryFile(const std::uint8_t* data, std::size_t size) : fd_(::memfd_create("korvel-fuzz", MFD_CLOEXEC)) {
    std::size_t done = 0;
    while (fd_ >= 0 && done < size) {
      const ssize_t w = ::write(fd_, data + done, size - done);
      if (w <= 0) break;
      done += static_cast<std::size_t>(w);
    }
  }
  ~MemoryFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }
  bool Ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

std::string Texts(const ChannelTable& channels) {
  std::string all;
  for (int row = 1; row <= ChannelTable::kRows; ++row)
    for (int column = 1; column <= ChannelTable::kColumns; ++column) all += channels.Cell(row, column) + '\t';
  return all;
}

}  // namespace

std::string CheckChannelFileBytes(const std::uint8_t* data, std::size_t size) {
  MemoryFile file(data, size);
  if (!file.Ok()) return "";  // nothing to check without a file
  MemoryImage image = NewImage();
  const MemoryImage before = image;
  const Status loaded = LoadChannelFile(file.Path(), image);
  if (!loaded) {
    if (loaded.message.empty()) return "a refusal without a reason";
    if (image != before) return "a refused file changed the image";
    if (size >= kImageSize) return "a file of a whole image was refused: " + loaded.message;
    return "";
  }
  if (size < kImageSize) return "a short file loaded";
  if (!std::equal(image.begin(), image.end(), data)) return "the image is not the file's first bytes";

  // The window's round: fill and collect. Bytes no radio writes (digits
  // that are not decimal) may be normalised by the first collection; from
  // then on, opening and saving again changes neither the texts nor the
  // image.
  CKovDoc document;
  document.Image() = image;
  document.FillFromImage();
  document.CollectIntoImage();
  const MemoryImage collected = document.Image();
  document.FillFromImage();
  const std::string shown = Texts(document.Channels());
  document.CollectIntoImage();
  if (document.Image() != collected) return "a second collection changed the image";
  document.FillFromImage();
  if (Texts(document.Channels()) != shown) return "the grid shows other texts after a second collection";

  // The settings read back as they were stored.
  const OptionalFeatures features = LoadOptionalFeatures(collected);
  MemoryImage stored = collected;
  StoreOptionalFeatures(features, stored);
  if (LoadOptionalFeatures(stored) != features) return "optional features changed by a store";
  return "";
}

}  // namespace korvel::fuzz
