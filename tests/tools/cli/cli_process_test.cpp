// What only the real programs can show: a device the system refuses, and
// Ctrl+C on a running transfer. The simulator runs --fast.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "link/transfer_texts.h"
#include "model/status.h"
#include "temp_dir.h"
#include "test_files.h"
#include "cli_processes.h"

namespace korvel::test {
namespace {

using ::testing::AnyOf;
using ::testing::Eq;
using ::testing::MatchesRegex;

std::string PortNotOpened(const std::string& command, const std::string& detail) {
  return std::string(texts::kPortNotOpened) + "\n(" + detail + ")\nkorvel-cli: " + command +
         " ended: port not opened (0 of 264 blocks)\n";
}

// The system's reason is on the line after the message, for read and write.
TEST(CliProcess, PortTheSystemRefusesIsReportedWithItsReason) {
  TempDir dir;
  WriteImage(dir.File("file.sin"), NewImage());
  Simulator radio;
  ASSERT_TRUE(radio.Start({"--fast"})) << radio.Stderr();
  Simulator holder;
  ASSERT_TRUE(holder.Start({"--hold", radio.Device()})) << holder.Stderr();

  const std::string missing = dir.File("no-such-tty");
  const std::string held = radio.Device();
  struct Case {
    const char* name;
    std::string device;
    // The exclusive mode refuses the open; a process allowed past it meets the lock.
    std::vector<std::string> details;
  };
  const Case cases[] = {
      {"missing device", missing, {missing + ": open: " + SystemReason(ENOENT)}},
      {"device held by another program", held,
       {held + ": open: " + SystemReason(EBUSY), held + ": flock: " + SystemReason(EWOULDBLOCK)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string command : {"read", "write"}) {
      SCOPED_TRACE(command);
      const ChildRun run = command == "read"
                               ? RunCli({"read", "--port", c.device, "-o", dir.File("read.sin")})
                               : RunCli({"write", "--port", c.device, dir.File("file.sin")});
      EXPECT_EQ(run.status, 1);
      std::vector<::testing::Matcher<const std::string&>> expected;
      for (const std::string& detail : c.details) expected.push_back(Eq(PortNotOpened(command, detail)));
      EXPECT_THAT(run.err, expected.size() == 1 ? expected[0] : AnyOf(expected[0], expected[1]));
      EXPECT_FALSE(Exists(dir.File("read.sin")));
    }
  }
  EXPECT_EQ(holder.Stop(), 0);
}

// korvel-cli reading from the simulated radio (--fast, wire traffic logged).
class RunningRead : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radio.Start({"--fast", "--log", log})) << radio.Stderr();
    ASSERT_TRUE(cli.Spawn({ToolPath("tools/cli/korvel-cli"), "read", "--port", radio.Device(), "-o",
                           dir.File("read.sin")}));
  }
  // Until the radio has sent at least n bytes.
  bool RadioSent(std::size_t n) {
    return ChildProcess::WaitFor([&] { return LoggedBytes(ReadFile(log), "radio").size() >= n; }, 10'000);
  }

  TempDir dir;
  const std::string log = dir.File("wire.log");
  Simulator radio;
  ChildProcess cli;
};

TEST_F(RunningRead, InterruptCancelsIt) {
  // Ctrl+C once the radio has answered a block: the handshake's ten bytes,
  // then thirteen per block.
  ASSERT_TRUE(RadioSent(10 + 13))
      << cli.Stderr();
  cli.Signal(SIGINT);
  EXPECT_EQ(cli.Wait(5'000), 1) << cli.Stderr();
  EXPECT_THAT(cli.Stderr(), MatchesRegex("korvel-cli: read ended: cancelled \\([0-9]+ of 264 blocks\\)\n"));
  EXPECT_FALSE(Exists(dir.File("read.sin")));
}

// A cable pulled in the middle of the blocks: the port's hang-up is
// reported as a lost connection with the system's reason, not as a radio
// that answered wrongly.
TEST(CliProcess, PulledCableIsReportedAsALostConnection) {
  for (const std::string command : {"read", "write"}) {
    SCOPED_TRACE(command);
    TempDir dir;
    WriteImage(dir.File("file.sin"), NewImage());
    Simulator radio;
    ASSERT_TRUE(radio.Start({"--fast", "--hang-up-at", "5"})) << radio.Stderr();
    const ChildRun run = command == "read"
                             ? RunCli({"read", "--port", radio.Device(), "-o", dir.File("read.sin")})
                             : RunCli({"write", "--port", radio.Device(), dir.File("file.sin")});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, MatchesRegex(std::string(texts::kConnectionLost) + "\n\\(" + radio.Device() +
                                      ": (read|write)[^\n]*: Input/output error\\)\nkorvel-cli: " + command +
                                      " ended: connection lost \\(5 of 264 blocks\\)\n"));
    EXPECT_FALSE(Exists(dir.File("read.sin")));
  }
}

// A client killed while it holds the port leaves the exclusive mode set; the
// simulated radio clears it so that the next client can open the port.
TEST_F(RunningRead, APortLeftExclusiveByAKilledClientIsFreedAgain) {
  ASSERT_TRUE(RadioSent(10));
  const int probe = ::open(radio.Device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(probe, 0);
  int exclusive = 0;
  ASSERT_EQ(::ioctl(probe, TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 1) << "held while the client runs";
  cli.Signal(SIGKILL);
  cli.Wait(5'000);
  EXPECT_TRUE(ChildProcess::WaitFor(
      [&] { return ::ioctl(probe, TIOCGEXCL, &exclusive) == 0 && exclusive == 0; }, 5'000));
  ::close(probe);
}

}  // namespace
}  // namespace korvel::test
