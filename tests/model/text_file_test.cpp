// Text files as channel lists come in: whole, without a byte order mark,
// of a sensible size (what files are opened at all is the channel file
// loader's, tested there).

#include "model/text_file.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"
#include "test_files.h"

namespace korvel {
namespace {

TEST(TextFile, LoadsWholeRegularFilesOfAChannelListsSize) {
  test::TempDir dir;
  test::WriteFile(dir.File("bom.csv"), "\xEF\xBB\xBF" "Channel\r\n");
  test::WriteFile(dir.File("plain.csv"), "Channel\xEF\xBB\xBF\r\n");
  test::WriteFile(dir.File("large.csv"), std::string(kTextFileLimit + 1, 'x'));
  test::WriteFile(dir.File("limit.csv"), std::string(kTextFileLimit, 'x'));
  const struct {
    const char* name;
    std::string text;   // what is loaded
    std::string error;  // or the message's end
  } cases[] = {
      {"bom.csv", "Channel\r\n", ""},
      {"plain.csv", "Channel\xEF\xBB\xBF\r\n", ""},
      {"limit.csv", std::string(kTextFileLimit, 'x'), ""},
      {"large.csv", "", "large.csv\" is larger than 4 MiB: it is not a channel list."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = "unchanged";
    const Status loaded = LoadTextFile(dir.File(c.name), text);
    EXPECT_EQ(static_cast<bool>(loaded), c.error.empty());
    EXPECT_TRUE(loaded.message.ends_with(c.error)) << loaded.message;
    EXPECT_EQ(text, c.error.empty() ? c.text : "unchanged");
  }
}

}  // namespace
}  // namespace korvel
