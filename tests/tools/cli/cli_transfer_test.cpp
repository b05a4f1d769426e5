// korvel-cli's read and write against the simulated radio, in-process and on
// simulated time: how a transfer ends as the user sees it on the error
// stream and in the files.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "link/cancel_token.h"
#include "link/port_names.h"
#include "link/transfer_texts.h"
#include "model/settings_block.h"
#include "simulated_port.h"
#include "radio_protocol.h"
#include "regex_matchers.h"
#include "radio_transfer.h"
#include "scoped_env.h"
#include "simulated_clock.h"
#include "small_disk.h"
#include "system_texts.h"
#include "temp_dir.h"
#include "command_run.h"
#include "test_files.h"

namespace korvel::test {
namespace {

using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using StderrMatcher = ::testing::Matcher<const std::string&>;

constexpr const char* kPort = "COM3";
constexpr std::uint8_t kType = 0x38;

// The radio's memory before each transfer, and the file a write sends.
const MemoryImage kMemory = PatternImage(1);
MemoryImage FileImage(std::uint8_t type) {
  MemoryImage file = PatternImage(2);
  file[settings::kRadioType] = type;
  return file;
}

// The port's writes: ten for the handshake (seven greeting bytes, 'M', 0x02,
// 0x06), then two per block, the command first. A cable pulled at block n's
// second write is out as soon as its command is sent: a read's reply can't
// be read, a write's data can't be sent.
std::size_t SecondWriteOfBlock(int n) { return 10 + 2 * static_cast<std::size_t>(n) + 1; }


std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::string Ended(const char* command, const char* how, int blocks) {
  return std::string("korvel-cli: ") + command + " ended: " + how + " (" + std::to_string(blocks) +
         " of 264 blocks)";
}

// One run of korvel-cli's read or write, without a terminal: the simulated
// radio behind the port, simulated time, the error stream in memory.
class CliRun {
 public:
  CliRun(std::uint8_t type, radiosim::RadioFaults faults) : radio(kMemory, type, faults) {}
  ~CliRun() { std::fclose(in_); }

  int Read(const std::string& output, cli::PromptAnswers answers = {}) {
    return Run(cli::ReadRadio, {kPort, output, answers});
  }
  int Write(const std::string& file, cli::PromptAnswers answers = {}) {
    return Run(cli::WriteRadio, {kPort, file, answers});
  }
  int Run(int (*command)(const cli::RadioOptions&, cli::RadioSession&), const cli::RadioOptions& options) {
    cli::RadioSession session{port, clock, cancel, in_, err.File(), terminal, /*interactive=*/false};
    return command(options, session);
  }

  radiosim::RadioProtocol radio;
  SimulatedClock clock;
  CancelToken cancel;
  SimulatedPort port{radio, clock, cancel};
  MemoryStream err;
  bool terminal = false;  // the error stream is a terminal: the bar shows

 private:
  std::FILE* in_ = std::tmpfile();  // nobody answers: it stays empty
};

enum class Command { Read, Write };

struct TransferCase {
  const char* name;
  Command command;
  radiosim::RadioFaults faults = {};
  std::uint8_t radioType = kType;
  std::uint8_t fileType = kType;  // the type byte of the file a write sends
  cli::PromptAnswers answers = {};
  bool openFails = false;
  std::optional<std::size_t> pullCableAtWrite = {};
  std::optional<long long> cancelAtMs = {};
  // Where a read saves, or what a write sends (then not a channel data file
  // when notAnImage); a read that fails must leave an earlier file as it was.
  const char* file = "radio.sin";
  bool notAnImage = false;
  bool longFile = false;  // a write's file carries a trailer after the image
  bool portUntouched = false;
  bool earlierFile = false;
  int status = 0;
  StderrMatcher err = "";
  bool radioWritten = false;  // the radio holds what the write sends; else what it had
  bool terminal = false;      // the error stream is a terminal
};

TEST(CliTransfer, EveryEndAsTheUserSeesIt) {
  const MemoryImage sent = ThroughGrid(FileImage(kType));
  ASSERT_NE(sent, FileImage(kType)) << "the pattern should exercise the grid collection";

  const std::string communicationError = texts::kCommunicationError;
  const ScopedEnv com3("KORVEL_COM3", "/dev/ttyS2");
  const std::string noAnswer = "(no answer on " + ResolvePortDevice("COM3") + " after 15 attempts (0.2 s))";
  const std::string busy = std::string("(") + kPort + ": open: Device or resource busy)";
  const std::string readFailed = std::string("(") + kPort + ": read: Input/output error)";
  const std::string mismatch = "(The radio reports KR - 100 (type 0x38); this file is set to no model (type 0xFF).)";

  // What the command line adds to the transfer: the exit status, the lines
  // on the error stream (the transfer's messages with their answers and
  // details, and the end), the flags that answer questions, and which files
  // it writes. Which radio fault leads to which end is the link's, tested
  // there.
  const TransferCase cases[] = {
      // Reads.
      {.name = "complete read; a read never checks the radio type", .command = Command::Read, .radioType = 0x3A},
      // The dialog's caption, then the status line and its bar, redrawn from
      // the first status text up to the full bar, and ended.
      {.name = "on a terminal a read shows its caption and bar", .command = Command::Read,
       .err = AllOf(StartsWith(texts::kReadingCaption + ("\n\r\033[K[" + std::string(40, '.') + "]   0/264  " +
                                                         texts::kDetectingPort)),
                    HasSubstr("\r\033[K[" + std::string(40, '#') + "] 264/264  "), EndsWith("\n")),
       .terminal = true},
      // Without --retries the question is cancelled: terminal_prompter_test.
      {.name = "--retries 1 starts again at attempt 1", .command = Command::Read, .faults = {.strayBytes = 2},
       .answers = {.communicationRetries = 1}, .status = 1,
       .err = Lines({communicationError, noAnswer, "(Retry)", communicationError, noAnswer, "(Cancel)",
                     Ended("read", "communication error", 0)})},
      {.name = "block 4 answered with 9 bytes: the earlier file stays", .command = Command::Read,
       .faults = {.shortReplyBlock = 4, .shortReplyLength = 9}, .earlierFile = true, .status = 1,
       .err = Lines({texts::kShortReply, Ended("read", "short reply", 4)})},
      {.name = "port cannot be opened: the system's reason follows", .command = Command::Read, .openFails = true,
       .status = 1, .err = Lines({texts::kPortNotOpened, busy, Ended("read", "port not opened", 0)})},
      {.name = "cable pulled at block 5: the port's error follows", .command = Command::Read,
       .pullCableAtWrite = SecondWriteOfBlock(5), .status = 1,
       .err = Lines({texts::kConnectionLost, readFailed, Ended("read", "connection lost", 5)})},
      {.name = "cancelled a second into the blocks: no message", .command = Command::Read, .cancelAtMs = 1000,
       .status = 1, .err = MatchesRegex("korvel-cli: read ended: cancelled \\([1-9][0-9]* of 264 blocks\\)\n")},
      {.name = "read into a folder that does not exist: refused before the port opens", .command = Command::Read,
       .file = "missing/read.sin", .portUntouched = true, .status = 1,
       .err = MatchesRegex("korvel-cli: Cannot save [^\n]*missing/read\\.sin\": " + NoSuchFolderText() + "\n")},

      // Writes.
      {.name = "complete write of what the grid collection gives", .command = Command::Write,
       .radioWritten = true},
      {.name = "type mismatch: Cancel leaves the radio alone", .command = Command::Write, .fileType = 0xFF,
       .status = 1, .err = Lines({texts::kTypeMismatch, mismatch, "(Cancel)", Ended("write", "radio type mismatch", 0)})},
      {.name = "type mismatch: --accept-type-mismatch, asked once", .command = Command::Write, .fileType = 0xFF,
       .answers = {.acceptTypeMismatch = true}, .err = Lines({texts::kTypeMismatch, mismatch, "(OK)"}),
       .radioWritten = true},
      // Block 138's data reached the radio, its acknowledgement did not.
      {.name = "a write cut short says how much the radio holds", .command = Command::Write,
       .faults = {.nakWriteBlock = 138}, .status = 1,
       .err = Lines({texts::kProgramInterrupt, Ended("write", "write not acknowledged", 139),
                     "The radio received 139 of 264 blocks and now holds part of the new memory and part of the old. "
                     "Write it again before using the radio."})},
      {.name = "write of a longer file: asked, and Cancel writes nothing", .command = Command::Write,
       .longFile = true, .portUntouched = true, .status = 1,
       .err = MatchesRegex("[^\n]*holds 2119 bytes; only its first 2112 [^\n]*Write its channel data to the radio\\?\n"
                           "\\(Cancel\\)\n")},
      {.name = "write of a longer file with --accept-long-file", .command = Command::Write,
       .answers = {.acceptLongFile = true}, .longFile = true,
       .err = MatchesRegex("[^\n]*holds 2119 bytes[^\n]*\n\\(OK\\)\n"), .radioWritten = true},
      {.name = "write of a file that is not a channel data file", .command = Command::Write, .notAnImage = true,
       .status = 1, .err = MatchesRegex("korvel-cli: [^\n]*radio\\.sin[^\n]*\n")},
  };

  for (const TransferCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string file = dir.File(c.file);
    CliRun run(c.radioType, c.faults);
    run.terminal = c.terminal;
    run.port.openFails = c.openFails;
    run.port.pullCableAtWrite = c.pullCableAtWrite;
    if (c.cancelAtMs) run.clock.RaiseAt(*c.cancelAtMs, run.cancel);

    if (c.command == Command::Read) {
      if (c.earlierFile) WriteFile(file, "earlier");
      EXPECT_EQ(run.Read(file, c.answers), c.status);
      if (c.status == 0 || c.earlierFile) {
        EXPECT_EQ(ReadFile(file), c.status == 0 ? ImageBytes(kMemory) : "earlier");
      } else {
        EXPECT_FALSE(Exists(file));
      }
      EXPECT_EQ(run.radio.Image(), kMemory);
    } else {
      const MemoryImage image = FileImage(c.fileType);
      WriteFile(file, c.notAnImage ? "short" : ImageBytes(image) + (c.longFile ? "TRAILER" : ""));
      EXPECT_EQ(run.Write(file, c.answers), c.status);
      if (!c.faults.nakWriteBlock) {
        EXPECT_EQ(run.radio.Image(), c.radioWritten ? ThroughGrid(image) : kMemory);
      }
    }
    EXPECT_THAT(run.err.Text(), c.err);
    if (c.portUntouched) {
      EXPECT_EQ(run.port.Opens(), 0);
    }
  }
}

// What --verify, --backup-before-write and --backup-dir add: the lines on
// the error stream, the exit status, the backup file, and that a backup
// that cannot be made leaves the radio untouched.
TEST(CliTransfer, SafeguardsAsTheUserSeesThem) {
  const std::string kept = "korvel-cli: backup kept as [^\n]*[/\\]backups[/\\]20[0-9-]{8}_[0-9]{6}_KR-100\\.sin\n";
  struct Case {
    const char* name;
    Command command;
    bool verify = false;
    bool backup = false;
    const char* backupDir = "backups";
    radiosim::RadioFaults faults = {};
    int status = 0;
    StderrMatcher err = "";
    bool radioWritten = false;
    bool backupKept = false;  // of the radio's memory before the transfer
  };
  const Case cases[] = {
      {.name = "write verified", .command = Command::Write, .verify = true, .radioWritten = true},
      // The radio stores channel 5's lowest receive frequency byte wrongly.
      {.name = "write verified on a radio that stores a byte wrongly", .command = Command::Write, .verify = true,
       .faults = {.corruptStoredByte = 0x40}, .status = 1,
       .err = Lines({"korvel-cli: verify: the radio holds other data than was written (1 difference):",
                     "Channel 5 Receive: 434.24140 -> 434.24141"})},
      {.name = "write with a backup first", .command = Command::Write, .backup = true, .err = MatchesRegex(kept),
       .radioWritten = true, .backupKept = true},
      {.name = "a backup read that fails writes nothing", .command = Command::Write, .backup = true,
       .faults = {.shortReplyBlock = 30, .shortReplyLength = 2}, .status = 1,
       .err = Lines({texts::kShortReply, Ended("backup read", "short reply", 30),
                     "korvel-cli: nothing was written to the radio"})},
      {.name = "a backup folder that cannot be made: refused before the port opens", .command = Command::Write,
       .backup = true, .backupDir = "file.sin/backups", .status = 1,
       .err = MatchesRegex("korvel-cli: Cannot make the backup folder \"[^\n]*[/\\]file\\.sin/backups\": Not a "
                           "directory\n")},
      {.name = "read kept as a backup too", .command = Command::Read, .backup = true, .err = MatchesRegex(kept),
       .backupKept = true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    CliRun run(kType, c.faults);
    cli::RadioOptions options{kPort, dir.File("file.sin"), {}};
    options.verify = c.verify;
    if (c.backup) options.backupDir = dir.File(c.backupDir);
    if (c.command == Command::Write) WriteImage(options.file, FileImage(kType));
    EXPECT_EQ(run.Run(c.command == Command::Read ? cli::ReadRadio : cli::WriteRadio, options), c.status);
    EXPECT_THAT(run.err.Text(), c.err);
    if (c.command == Command::Read) {
      EXPECT_EQ(ImageFromFile(options.file), kMemory);
    } else if (c.radioWritten) {
      EXPECT_EQ(run.radio.Image(), ThroughGrid(FileImage(kType)));
    } else if (!c.verify) {
      EXPECT_EQ(run.radio.Image(), kMemory);
    }
    namespace fs = std::filesystem;
    const std::string backups = dir.File("backups");
    ASSERT_EQ(Exists(backups) ? std::distance(fs::directory_iterator(backups), {}) : 0, c.backupKept ? 1 : 0);
    if (c.backupKept) {
      EXPECT_EQ(ImageFromFile(fs::directory_iterator(backups)->path().string()), kMemory);
    }
  }
}

// A complete read keeps its backup first: with the output or the backup
// folder on a full disk, the other is still kept, and the message says both.
TEST(CliTransfer, AReadKeepsItsBackupFirstAndSaysWhatFailed) {
  SmallDisk disk;
  KORVEL_NEED_SMALL_DISK(disk);
  std::filesystem::create_directory(disk.File("backups"));
  disk.Fill();
  for (const bool outputOnDisk : {true, false}) {
    SCOPED_TRACE(outputOnDisk ? "the output on a full disk" : "the backup folder on a full disk");
    TempDir dir;
    CliRun run(kType, {});
    cli::RadioOptions options{kPort, (outputOnDisk ? disk.File("file.sin") : dir.File("file.sin")), {}};
    options.backupDir = outputOnDisk ? dir.File("backups") : disk.File("backups");
    EXPECT_EQ(run.Run(cli::ReadRadio, options), 1);
    std::vector<std::string> backups;
    for (const auto& entry : std::filesystem::directory_iterator(options.backupDir))
      backups.push_back(entry.path().string());
    if (outputOnDisk) {
      ASSERT_EQ(backups.size(), 1u);
      EXPECT_EQ(ImageFromFile(backups[0]), kMemory);
      EXPECT_EQ(run.err.Text(), "korvel-cli: backup kept as " + backups[0] + "\nkorvel-cli: Cannot save \"" +
                                    options.file + "\": No space left on device; the memory read is kept in the " +
                                    "backup " + backups[0] + "\n");
    } else {
      EXPECT_EQ(backups, std::vector<std::string>{});
      EXPECT_EQ(ImageFromFile(options.file), kMemory);
      EXPECT_THAT(run.err.Text(), MatchesRegex("korvel-cli: saved " + options.file +
                                               "; the backup could not be kept: [^\n]*: No space left on device\n"));
    }
  }
}

}  // namespace
}  // namespace korvel::test
