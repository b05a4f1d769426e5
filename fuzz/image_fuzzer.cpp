// libFuzzer target: any bytes as a channel data file.
#include <cstdio>
#include <cstdlib>

#include "image_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failed = korvel::fuzz::CheckChannelFileBytes(data, size);
  if (!failed.empty()) {
    std::fprintf(stderr, "check failed: %s\n", failed.c_str());
    std::abort();
  }
  return 0;
}
