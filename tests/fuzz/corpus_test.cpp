// The fuzzers' seed corpus replayed through their checks in every test run,
// so what a fuzzer once found stays fixed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "image_checks.h"
#include "transfer_checks.h"

namespace korvel::test {
namespace {

std::vector<std::uint8_t> Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FuzzCorpus, EverySeedPassesItsChecks) {
  const std::filesystem::path corpus = KORVEL_FUZZ_CORPUS_DIR;
  const struct {
    const char* folder;
    std::string (*check)(const std::uint8_t*, std::size_t);
  } targets[] = {{"image", fuzz::CheckChannelFileBytes}, {"transfer", fuzz::CheckTransferAgainstBytes}};
  for (const auto& target : targets) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / target.folder)) {
      SCOPED_TRACE(entry.path().string());
      const std::vector<std::uint8_t> bytes = Bytes(entry.path());
      EXPECT_EQ(target.check(bytes.data(), bytes.size()), "");
      ++seeds;
    }
    EXPECT_GT(seeds, 0) << target.folder;
  }
}

}  // namespace
}  // namespace korvel::test
