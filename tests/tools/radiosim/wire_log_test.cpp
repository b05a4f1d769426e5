// The wire log never writes through a symbolic link, into a pipe or over
// an earlier log it was not told to replace.

#include "wire_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "temp_dir.h"
#include "test_files.h"

namespace korvel::radiosim {
namespace {

TEST(WireLog, OpensOnlyAFileOfItsOwnAndKeepsAnEarlierLogUnlessTold) {
  struct Case {
    const char* name;
    ExistingLog existing;
    bool opens;
    const char* after;  // the file's content once the log has a line
    const char* reason;
  };
  const Case cases[] = {
      {"new", ExistingLog::kRefuse, true, "", ""},
      {"earlier", ExistingLog::kRefuse, false, "earlier run\n", "exists; --log-append"},
      {"earlier", ExistingLog::kAppend, true, "earlier run\n", ""},
      {"earlier", ExistingLog::kReplace, true, "", ""},
      {"link", ExistingLog::kReplace, false, "earlier run\n", "is a symbolic link"},
      {"fifo", ExistingLog::kAppend, false, nullptr, "not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(static_cast<int>(c.existing)));
    korvel::test::TempDir dir;
    const std::string earlier = dir.File("earlier");
    korvel::test::WriteFile(earlier, "earlier run\n");
    ASSERT_EQ(::symlink(earlier.c_str(), dir.File("link").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    const std::string path = dir.File(c.name);
    {
      WireLog log;
      std::string error;
      ASSERT_EQ(log.Open(path, c.existing, &error), c.opens) << error;
      if (c.opens) {
        const std::uint8_t ack = 0x06;
        log.Record(Sender::kRadio, &ack, 1, std::chrono::steady_clock::now());
      } else {
        EXPECT_EQ(error.rfind(path + ": " + c.reason, 0), 0u) << error;
      }
    }
    if (c.after == nullptr) continue;
    const std::string content = korvel::test::ReadFile(c.name == std::string("link") ? earlier : path);
    EXPECT_EQ(content.rfind(c.after, 0), 0u) << content;
    EXPECT_EQ(content.find(" radio 06\n") != std::string::npos, c.opens) << content;
  }
}

}  // namespace
}  // namespace korvel::radiosim
