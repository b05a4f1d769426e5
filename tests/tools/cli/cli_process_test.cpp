// What only the real programs can show: the command line as the shell sees
// it (help, usage errors and main's exit status), and Ctrl+C, SIGTERM and
// SIGHUP on a running transfer. The simulator runs --fast.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "temp_dir.h"
#include "testmode/texts.h"
#include "test_files.h"
#include "cli_processes.h"

namespace korvel::test {
namespace {

using ::testing::ContainsRegex;

// What korvel-cli prints and returns for a command line: help and usage
// errors from the parser (exit status 105 for a value refused, 106 for one
// missing), and a command's own exit status through main.
TEST(CliProcess, CommandLineAsTheShellSeesIt) {
  TempDir dir;
  WriteImage(dir.File("n.sin"), NewImage());
  const std::string noDevice = dir.File("no-such-tty");
  const std::string usage = "\nRun with --help for more information.\n";
  const std::string dashHint =
      "A file name that begins with '-' goes after --, e.g. korvel-cli write --port COM1 -- -radio.sin\n";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;  // all of standard error
  } cases[] = {
      {{}, 106, "A subcommand is required" + usage},
      {{"frobnicate"}, 106, "A subcommand is required" + usage},
      {{"write", "--port", "X", "-radio.sin"}, 106, "FILE is required" + usage + dashHint},
      {{"fleet", "write", "f.sin", "--log", "l.csv"}, 106, "--port is required" + usage},
      {{"read", "--port", "X", "-o", "r.sin", "--retries", "-1"}, 105,
       "--retries: must be a whole number from 0 to 1000" + usage},
      {{"read", "--port", "X", "-o", "r.sin", "--retries", "abc"}, 105,
       "--retries: must be a whole number from 0 to 1000" + usage},
      {{"align", "--port", "X", "--item", "foo", "--value", "1", "--rx", "1", "--tx", "1"}, 105,
       "--item: foo not in {tx-frequency,low-power-voltage,squelch,tx-power}" + usage},
      {{"align", "--port", "X", "--item", "squelch", "--value", "300", "--rx", "1", "--tx", "1"}, 105,
       "--value: Value 300 not in range 0 to 255" + usage},
      {{"align", "--port", "X", "--item", "squelch", "--value", "1", "--rx", "1", "--tx", "0x10"}, 105,
       "--tx: \"0x10\" is not a frequency in MHz (digits and one decimal point or comma)" + usage},
#ifdef KORVEL_HAVE_PRINT
      {{"print", dir.File("n.sin"), "-o", "x.pdf", "--page-size", "B5"}, 105,
       "--page-size: B5 not in {A4,Letter}" + usage},
#endif
      {{"diff", noDevice, noDevice}, 2, "korvel-cli: Cannot open \"" + noDevice + "\": No such file or directory\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0] + (c.args.size() > 1 ? " " + c.args.back() : ""));
    const ChildRun run = RunCli(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
}

TEST(CliProcess, HelpIsThereForTheToolAndEachCommand) {
  const ChildRun top = RunCli({"--help"});
  EXPECT_EQ(top.status, 0);
  for (const char* command : {"new", "resave", "channels", "settings", "features", "diff", "export-csv", "import-csv",
                              "read", "write", "align"
#ifdef KORVEL_HAVE_PRINT
                              , "print"
#endif
      }) {
    SCOPED_TRACE(command);
    EXPECT_NE(top.out.find(std::string("\n  ") + command + " "), std::string::npos);
    const ChildRun sub = RunCli({command, "--help"});
    EXPECT_EQ(sub.status, 0);
    EXPECT_NE(sub.out.find(std::string("Usage: korvel-cli ") + command), std::string::npos) << sub.out;
  }
  const ChildRun fleet = RunCli({"fleet", "write", "--help"});
  EXPECT_NE(fleet.out.find("--sequential"), std::string::npos) << fleet.out;
}

// A stop signal once the radio has taken a block ends the transfer at its
// next cancel check, between frames: the end says how far it got, Ctrl+C
// leaves exit status 1, SIGTERM and SIGHUP end the program by their signal
// (128 + N to the shell). Blocks go out whole: 12 bytes each after the PC's
// 10 of the handshake; the radio sends 10, then 13 per read block, 1 per
// written block.
TEST(CliProcess, AStopSignalEndsATransferBetweenFramesAndSaysHowFarItGot) {
  const std::string cancelled = "ended: cancelled \\([0-9]+ of 264 blocks\\)\n";
  const struct {
    std::vector<std::string> args;  // PORT: the radio's device; a name with a dot: a file in the test's folder
    int signal;
    int status;
    std::string end;  // what standard error (and fleet's standard output) says
  } cases[] = {
      {{"read", "--port", "PORT", "-o", "read.sin"}, SIGINT, 1, "korvel-cli: read " + cancelled},
      {{"write", "--port", "PORT", "w.sin"}, SIGTERM, 128 + SIGTERM, "korvel-cli: write " + cancelled},
      {{"write", "--port", "PORT", "w.sin"}, SIGHUP, 128 + SIGHUP, "korvel-cli: write " + cancelled},
      {{"fleet", "write", "w.sin", "--port", "PORT", "--log", "fleet.csv"}, SIGTERM, 128 + SIGTERM,
       " failed: cancelled \\([0-9]+ of 264 blocks\\)\n[^\n]*: The radio received [0-9]+ of 264 blocks[^\n]*\n"
       "1 radio: 0 written, 1 failed \\(.*: cancelled \\([0-9]+ of 264 blocks\\)\\)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + strsignal(c.signal));
    TempDir dir;
    WriteImage(dir.File("w.sin"), PatternImage(3));
    const std::string log = dir.File("wire.log");
    Simulator radio;
    ASSERT_TRUE(radio.Start({"--fast", "--log", log})) << radio.Stderr();
    std::vector<std::string> args = {ToolPath("tools/cli/korvel-cli")};
    for (const std::string& arg : c.args)
      args.push_back(arg == "PORT" ? radio.Device() : arg.find('.') != std::string::npos ? dir.File(arg) : arg);
    const bool read = c.args[0] == "read";
    ChildProcess cli;
    ASSERT_TRUE(cli.Spawn(args));
    ASSERT_TRUE(ChildProcess::WaitFor(
        [&] { return LoggedBytes(ReadFile(log), "radio").size() >= 10u + (read ? 13 : 1); }, 10'000))
        << cli.Stderr();
    cli.Signal(c.signal);
    EXPECT_EQ(cli.Wait(5'000), c.status) << cli.Stderr();
    EXPECT_THAT(cli.Stderr() + cli.Stdout(), ContainsRegex(c.end));
    EXPECT_FALSE(Exists(dir.File("read.sin")));
    if (!read) {
      EXPECT_TRUE(ChildProcess::WaitFor([&] { return (LoggedBytes(ReadFile(log), "pc").size() - 10) % 12 == 0; }, 2'000))
          << "a half frame: " << LoggedBytes(ReadFile(log), "pc").size() << " bytes";
    }
  }
}

// A client killed while it holds the port leaves the exclusive mode set; the
// simulated radio clears it so that the next client can open the port.
TEST(CliProcess, APortLeftExclusiveByAKilledClientIsFreedAgain) {
  TempDir dir;
  const std::string log = dir.File("wire.log");
  Simulator radio;
  ASSERT_TRUE(radio.Start({"--fast", "--log", log})) << radio.Stderr();
  ChildProcess cli;
  ASSERT_TRUE(cli.Spawn({ToolPath("tools/cli/korvel-cli"), "read", "--port", radio.Device(), "-o",
                         dir.File("read.sin")}));
  ASSERT_TRUE(ChildProcess::WaitFor([&] { return LoggedBytes(ReadFile(log), "radio").size() >= 10u; }, 10'000));
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

// align through the real programs on a paced line: the simulator's log
// shows the blocks.
TEST(CliAlign, AlignsTheSimulatedRadioOverAPseudoTerminal) {
  TempDir dir;
  Simulator radio;
  ASSERT_TRUE(radio.Start({"--log", dir.File("wire.log")})) << radio.Stderr();
  const ChildRun run = RunCli({"align", "--port", radio.Device(), "--item", "squelch", "--value", "160", "--rx",
                               "146.00000", "--tx", "146.00000"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, std::string(texts::kTestFinished) + "\n");
  EXPECT_EQ(radio.Stop(), 0);
  const std::string log = ReadFile(dir.File("wire.log"));
  EXPECT_NE(log.find("note  test command 73 frequency 00 00 60 14 00 00 60 14 parameters 00 00 00 00 FB 01 01 A0"),
            std::string::npos)
      << log;
}

}  // namespace
}  // namespace korvel::test
