// libFuzzer target: a clone transfer against a radio made of the input.
#include <cstdio>
#include <cstdlib>

#include "transfer_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failed = korvel::fuzz::CheckTransferAgainstBytes(data, size);
  if (!failed.empty()) {
    std::fprintf(stderr, "check failed: %s\n", failed.c_str());
    std::abort();
  }
  return 0;
}
