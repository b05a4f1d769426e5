// The fleet write's log on Windows: what is not a regular file is refused
// at once, as the system words it.

#include "fleet_log.h"

#include <gtest/gtest.h>

#include "model/windows_text.h"
#include "temp_dir.h"

namespace korvel::test {
namespace {

TEST(FleetLogWindows, RefusesWhatIsNotARegularFile) {
  TempDir dir;
  const std::string notRegular = "it is not a regular file";
  const struct {
    std::string log;
    std::string reason;
  } cases[] = {
      {dir.File("no/log.csv"), windows::ErrorText(ERROR_PATH_NOT_FOUND)},
      {dir.Path().string(), windows::ErrorText(ERROR_ACCESS_DENIED)},
      {"NUL", notRegular},
      {"\\\\.\\NUL", notRegular},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.log);
    cli::FleetLog log;
    const Status opened = log.Open(c.log, 4096);
    EXPECT_EQ(opened.kind, FailureKind::FileOpen);
    EXPECT_EQ(opened.message, "Cannot open the log \"" + c.log + "\": " + c.reason);
  }
}

}  // namespace
}  // namespace korvel::test
