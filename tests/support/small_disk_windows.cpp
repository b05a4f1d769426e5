#include "small_disk.h"

namespace korvel::test {

// No file system can be mounted for a test here: the callers skip.
SmallDisk::SmallDisk(std::size_t) : why_("none is mounted on Windows") {}

SmallDisk::~SmallDisk() = default;

void SmallDisk::Fill() {}

}  // namespace korvel::test
