#include "channel_file.h"

#include <string>

#include "atomic_file.h"
#include "readable_file.h"

namespace korvel {

Status LoadChannelFile(const std::string& path, MemoryImage& image, std::uintmax_t* fileSize) {
  ReadableFile file;
  if (Status opened = file.Open(path); !opened) return opened;
  MemoryImage loaded;
  std::size_t got = 0;
  if (Status read = file.Read(loaded.data(), loaded.size(), &got); !read) return read;
  if (got < loaded.size())
    return Status::Failure(FailureKind::FileFormat, "\"" + path + "\" is not a channel data file: it holds " +
                                                        std::to_string(got) + " bytes, a channel data file holds " +
                                                        std::to_string(kImageSize) + ".");
  image = loaded;
  if (fileSize != nullptr) *fileSize = file.Size();
  return {};
}

std::string LongFileNotice(const std::string& path, std::uintmax_t size) {
  return "\"" + path + "\" holds " + std::to_string(size) + " bytes; only its first " + std::to_string(kImageSize) +
         " are channel data, the rest was not loaded and is not saved.";
}

Status SaveChannelFile(const std::string& path, const MemoryImage& image) {
  AtomicFile file;
  if (Status prepared = file.Prepare(path); !prepared) return prepared;
  return file.Commit(image.data(), image.size());
}

}  // namespace korvel
