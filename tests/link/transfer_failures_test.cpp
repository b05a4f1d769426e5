// Every way a clone transfer can go wrong, or be asked about, against the
// simulated radio: the radio's fault or the port's, and what the user and
// the radio see of it (result, the messages asked and their detail, the
// greetings and block commands on the wire, the blocks done).

#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "link/port_problem.h"
#include "link/posix_serial_port.h"
#include "link/transfer_texts.h"
#include "scoped_env.h"
#include "transfer_rig.h"

namespace korvel::test {
namespace {

using Dir = TransferDirection;
using Texts = std::vector<std::string>;
using R = TransferResult;
const std::string kReadError = "COM3: read: Input/output error";
// Each attempt of a silent radio: 7 opening pauses, 7 greeting pauses, two
// one-byte reads of 590 ms, and 2 ms before the next.
constexpr long long kSilentAttemptMs = 7 + 7 + 2 * 590 + 2;
// COM3, the port every case uses, is this device.
const std::string kDevice = "/dev/ttyS0";
const std::string kFifteenSilent = "no answer on " + kDevice + " after 15 attempts (17.9 s)";

struct PortFaults {
  bool openFails = false;
  std::optional<std::size_t> pullCableAtWrite = {};
  std::set<std::size_t> failingWrites = {};
};

TEST(TransferFailures, EachFaultEndsWithItsResultMessagesAndWire) {
  struct Case {
    const char* name;
    Dir direction = Dir::Read;
    radiosim::RadioFaults faults = {};
    std::uint8_t radioType = 0xFF;  // in the ident reply
    std::uint8_t imageType = 0x11;  // of the image a write sends
    PortFaults port = {};
    std::vector<Answer> answers = {};  // then the cancelling answer
    R result;
    Texts prompts;
    std::string detail = "";  // shown under the last message
    int greetings = 1;
    int blockCommands = 0;
    int blocksDone = 0;
    long long elapsedMs = -1;  // simulated time to the end, when it matters
  };
  const Case cases[] = {
      // The handshake.
      {.name = "port held by another program", .port = {.openFails = true}, .result = R::PortNotOpened,
       .prompts = {texts::kPortNotOpened}, .detail = "COM3: open: Device or resource busy", .greetings = 0},
      {.name = "silent radio: 15 attempts, then the communication error", .faults = {.silent = true},
       .result = R::CommunicationErrorCancelled, .prompts = {texts::kCommunicationError},
       .detail = kFifteenSilent, .greetings = 15, .elapsedMs = 15 * kSilentAttemptMs},
      {.name = "Retry starts again at attempt one, the port still open", .faults = {.silent = true},
       .answers = {Answer::Retry}, .result = R::CommunicationErrorCancelled,
       .prompts = {texts::kCommunicationError, texts::kCommunicationError}, .detail = kFifteenSilent,
       .greetings = 30},
      {.name = "acknowledgement as the second byte", .faults = {.strayBytes = 1}, .result = R::Completed,
       .prompts = {}, .blockCommands = 264, .blocksDone = 264},
      {.name = "acknowledgement as the third byte is none", .faults = {.strayBytes = 2},
       .result = R::CommunicationErrorCancelled, .prompts = {texts::kCommunicationError},
       .detail = "no answer on " + kDevice + " after 15 attempts (0.2 s)", .greetings = 15},
      {.name = "cable pulled before the greeting's answer", .port = {.pullCableAtWrite = 7},
       .result = R::ConnectionLost, .prompts = {texts::kConnectionLost}, .detail = kReadError},
      {.name = "cable pulled before the ident reply", .port = {.pullCableAtWrite = 9}, .result = R::ConnectionLost,
       .prompts = {texts::kConnectionLost}, .detail = kReadError},
      {.name = "cable pulled before the closing acknowledgement", .port = {.pullCableAtWrite = 10},
       .result = R::ConnectionLost, .prompts = {texts::kConnectionLost}, .detail = kReadError},
      // The closing acknowledgement: after 601 ms, the communication error.
      {.name = "closing acknowledgement answered otherwise", .faults = {.badHandshakeAck = true},
       .result = R::CommunicationErrorCancelled, .prompts = {texts::kCommunicationError},
       .detail = "no proper answer on " + kDevice + " after 1 attempt (0.6 s)", .elapsedMs = 7 + 7 + 2 + 601},
      {.name = "acknowledgement not sent: offered again on Retry", .port = {.failingWrites = {9, 10}},
       .answers = {Answer::Retry, Answer::Retry}, .result = R::Completed,
       .prompts = {texts::kSendOrderError, texts::kSendOrderError}, .detail = "COM3: write: Input/output error",
       .blockCommands = 264, .blocksDone = 264},
      {.name = "acknowledgement not sent, Cancel", .port = {.failingWrites = {9}},
       .result = R::CommunicationErrorCancelled, .prompts = {texts::kSendOrderError},
       .detail = "COM3: write: Input/output error"},
      // The radio type, checked on writes only and never against 0xFF.
      // The question's detail names both types.
      {.name = "another radio type, Cancel", .direction = Dir::Write, .radioType = 0x3A, .imageType = 0x38,
       .result = R::TypeMismatchCancelled, .prompts = {texts::kTypeMismatch},
       .detail = "The radio reports KR - 300 (type 0x3A); this file is set to KR - 100 (type 0x38)."},
      {.name = "another radio type, OK: asked once, the handshake again", .direction = Dir::Write,
       .radioType = 0x22, .answers = {Answer::Ok}, .result = R::Completed, .prompts = {texts::kTypeMismatch},
       .detail = "The radio reports an unknown model (type 0x22); this file is set to an unknown model (type 0x11).",
       .greetings = 2, .blockCommands = 264, .blocksDone = 264},
      {.name = "an accepted type is not asked again after Retry", .direction = Dir::Write,
       .faults = {.badHandshakeAck = true}, .radioType = 0x22, .answers = {Answer::Ok, Answer::Retry},
       .result = R::CommunicationErrorCancelled,
       .prompts = {texts::kTypeMismatch, texts::kCommunicationError, texts::kCommunicationError},
       .detail = "no proper answer on " + kDevice + " after 1 attempt (0.6 s)", .greetings = 3},
      {.name = "a file of type 0xFF is checked", .direction = Dir::Write, .radioType = 0x39, .imageType = 0xFF,
       .result = R::TypeMismatchCancelled, .prompts = {texts::kTypeMismatch},
       .detail = "The radio reports KR - 200 (type 0x39); this file is set to no model (type 0xFF)."},
      {.name = "a radio reporting 0xFF is not", .direction = Dir::Write, .result = R::Completed, .prompts = {},
       .blockCommands = 264, .blocksDone = 264},
      {.name = "nor is a read", .radioType = 0x22, .result = R::Completed, .prompts = {}, .blockCommands = 264,
       .blocksDone = 264},
      {.name = "ident reply without its type byte, on a write", .direction = Dir::Write,
       .faults = {.identLength = 4}, .result = R::CommunicationErrorCancelled,
       .prompts = {texts::kCommunicationError},
       .detail = "no proper answer on " + kDevice + " after 1 attempt (0.0 s)"},
      {.name = "ident reply without its type byte, on a read", .faults = {.identLength = 4},
       .result = R::Completed, .prompts = {}, .blockCommands = 264, .blocksDone = 264},
      {.name = "five ident bytes carry the type byte", .direction = Dir::Write, .faults = {.identLength = 5},
       .radioType = 0x11, .result = R::Completed, .prompts = {}, .blockCommands = 264, .blocksDone = 264},
      // The blocks.
      {.name = "short read reply (11 bytes)", .faults = {.shortReplyBlock = 5, .shortReplyLength = 11},
       .result = R::ShortReply, .prompts = {texts::kShortReply}, .blockCommands = 6, .blocksDone = 5},
      {.name = "read reply that never comes", .faults = {.shortReplyBlock = 5, .shortReplyLength = 0},
       .result = R::ShortReply, .prompts = {texts::kShortReply}, .blockCommands = 6, .blocksDone = 5},
      {.name = "read acknowledgement answered otherwise", .faults = {.badReadAckBlock = 9},
       .result = R::ReadAckFailed, .prompts = {texts::kReadAckFailed}, .blockCommands = 10, .blocksDone = 9},
      // The unacknowledged block's data reached the radio: it counts.
      {.name = "write block unacknowledged", .direction = Dir::Write, .faults = {.nakWriteBlock = 7},
       .result = R::WriteNotAcknowledged, .prompts = {texts::kProgramInterrupt}, .blockCommands = 8,
       .blocksDone = 8},
      // Two writes a block: the cable goes with block 20's command.
      {.name = "cable pulled during a read", .port = {.pullCableAtWrite = kHandshakeWrites + 2 * 20 + 1},
       .result = R::ConnectionLost, .prompts = {texts::kConnectionLost}, .detail = kReadError,
       .blockCommands = 21, .blocksDone = 20},
      {.name = "cable pulled during a write", .direction = Dir::Write,
       .port = {.pullCableAtWrite = kHandshakeWrites + 2 * 30 + 1}, .result = R::ConnectionLost,
       .prompts = {texts::kConnectionLost}, .detail = "COM3: write: Input/output error", .blockCommands = 31,
       .blocksDone = 30},
      {.name = "radio hangs up when block 40 is asked for", .faults = {.hangUpAtBlock = 40},
       .result = R::ConnectionLost, .prompts = {texts::kConnectionLost}, .detail = kReadError,
       .blockCommands = 41, .blocksDone = 40},
  };
  const ScopedEnv com3("KORVEL_COM3", kDevice);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig(PatternImage(12), c.radioType, c.faults);
    rig.port.openFails = c.port.openFails;
    rig.port.pullCableAtWrite = c.port.pullCableAtWrite;
    rig.port.failingWrites = c.port.failingWrites;
    rig.prompter.answers.assign(c.answers.begin(), c.answers.end());
    MemoryImage image = PatternImage(3);
    image[settings::kRadioType] = c.imageType;

    EXPECT_EQ(rig.Run(c.direction, image), c.result);
    rig.ExpectEnded();
    EXPECT_EQ(rig.port.OpenedName(), "COM3");
    EXPECT_EQ(rig.port.Opens(), c.port.openFails ? 0 : 1);
    EXPECT_EQ(rig.prompter.Texts(), c.prompts);
    if (!c.prompts.empty()) {
      EXPECT_EQ(rig.prompter.asked.back().detail, c.detail);
    }
    if (c.result == R::PortNotOpened || c.result == R::ConnectionLost) {
      EXPECT_EQ(rig.outcome.detail, c.detail);
    }
    EXPECT_EQ(rig.Greetings(), c.greetings);
    EXPECT_EQ(rig.BlockCommands(), c.blockCommands);
    EXPECT_EQ(rig.outcome.blocksDone, c.blocksDone);
    if (c.elapsedMs >= 0) {
      EXPECT_EQ(rig.clock.ElapsedMs(), c.elapsedMs);
    }
    if (c.result == R::Completed && c.direction == Dir::Read) {
      EXPECT_EQ(rig.outcome.image, PatternImage(12));
    }
    if (c.result == R::Completed && c.direction == Dir::Write) {
      EXPECT_EQ(rig.radio.Image(), image);
    }
    // A write that stops early still ends with the bar full.
    if (c.result == R::WriteNotAcknowledged) {
      EXPECT_EQ(rig.events.position, kProgressEnd);
    }
  }
}

// The detail under the message of a port that would not open, from a real
// device where this machine can make the failure.
TEST(TransferFailures, APortThatWillNotOpenIsNamedWithWhatHappened) {
  int master = -1, slave = -1;
  char pty[128] = {};
  ASSERT_EQ(::openpty(&master, &slave, pty, nullptr, nullptr), 0);
  CancelToken cancel;
  PosixSerialPort holder(cancel);
  ASSERT_TRUE(holder.Open(pty, {}));
  std::string self;
  std::getline(std::ifstream("/proc/self/comm"), self);
  // The detail a read from the device shows.
  const auto readDetail = [&cancel](const std::string& device) {
    PosixSerialPort port(cancel);
    ScriptedPrompter prompter;
    RecordingEvents events(prompter);
    CloneTransfer transfer(port, SystemClock::Instance(), events, cancel, events);
    EXPECT_EQ(transfer.Read(device).result, R::PortNotOpened);
    EXPECT_EQ(prompter.Texts(), Texts{texts::kPortNotOpened});
    return prompter.asked.empty() ? std::string() : prompter.asked.back().detail;
  };
  const std::string noDevice = "/dev/korvel-no-such-device";
  const struct {
    const char* name;
    std::function<std::string()> detail;
    std::string expected;
  } cases[] = {
      {"missing device", [&] { return readDetail(noDevice); },
       noDevice + ": open: No such file or directory — the device does not exist: is the cable plugged in?"},
      {"held by this process", [&] { return readDetail(pty); },
       std::string(pty) + ": flock: Resource temporarily unavailable — held by " + self + ", process " +
           std::to_string(::getpid())},
      {"permission refused", [] { return PortFailureDetail("/dev/ttyUSB0", "open", EACCES); },
       "/dev/ttyUSB0: open: Permission denied — your user may not use serial ports: add it to the dialout group "
       "(sudo adduser $USER dialout) and log in again"},
      {"busy, and no holder to be seen", [&] { return PortFailureDetail(noDevice, "open", EBUSY); },
       noDevice + ": open: Device or resource busy"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.detail(), c.expected);
  }
  holder.Close();
  ::close(master);
  ::close(slave);
}

}  // namespace
}  // namespace korvel::test
