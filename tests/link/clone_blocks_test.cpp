// The clone transfer that completes: what goes on the wire, what comes back
// to the caller, progress; and cancelling it anywhere. Its failures are in
// transfer_failures_test.cpp.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "link/radio_frames.h"
#include "link/transfer_texts.h"
#include "transfer_rig.h"

namespace korvel::test {
namespace {

using Dir = TransferDirection;
using Texts = std::vector<std::string>;

void ExpectCountingProgress(const RecordingEvents& events) {
  ASSERT_EQ(events.statuses.size(), 2u + 262u);
  EXPECT_EQ(events.statuses[0], texts::kDetectingPort);
  EXPECT_EQ(events.statuses[1], texts::kWaitingResponse);
  for (int i = 1; i <= 262; ++i) EXPECT_EQ(events.statuses[1 + i], std::to_string(i));
  EXPECT_EQ(events.position, kProgressEnd);
  EXPECT_FALSE(events.watch);
}

Bytes BlockOf(const MemoryImage& image, int n) { return Bytes(image.begin() + n * 8, image.begin() + n * 8 + 8); }
void Append(Bytes& to, const Bytes& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

// The handshake on the wire: the PC's greeting, 'M' 0x02 and 0x06; the
// radio's 0x06, its 8-byte ident and 0x06.
void ExpectHandshake(const Rig& rig, Bytes* pc, Bytes* radio) {
  *pc = Bytes(frames::kGreeting.begin(), frames::kGreeting.end());
  Append(*pc, {'M', 0x02, 0x06});
  const Bytes& sent = rig.port.RadioBytes();
  ASSERT_GE(sent.size(), 10u);
  *radio = {0x06};
  Append(*radio, Bytes(sent.begin() + 1, sent.begin() + 9));
  Append(*radio, {0x06});
  // Each greeting byte, and 'M' and 0x02, by a write of its own.
  for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(rig.port.Writes()[i].size(), 1u);
}

// A read returns the radio's memory; a write leaves the radio holding the
// image, which a New radio's type 0xFF never questions.
TEST(CloneBlocks, CompleteTransferCarriesExactlyTheProtocolsFrames) {
  for (const Dir direction : {Dir::Read, Dir::Write}) {
    const bool read = direction == Dir::Read;
    SCOPED_TRACE(read ? "read" : "write");
    const MemoryImage memory = read ? PatternImage(41) : NewImage();
    MemoryImage sent = PatternImage(5);
    sent[0x81B] = 0x5A;
    Rig rig(memory);
    const TransferOutcome outcome = read ? rig.transfer.Read("COM3") : rig.transfer.Write("COM3", sent);
    EXPECT_EQ(outcome.result, TransferResult::Completed);
    EXPECT_EQ(outcome.image, read ? std::optional<MemoryImage>(memory) : std::nullopt);
    EXPECT_EQ(rig.radio.Image(), read ? memory : sent);
    EXPECT_TRUE(rig.prompter.asked.empty());
    EXPECT_FALSE(rig.port.IsOpen());
    ExpectCountingProgress(rig.events);

    Bytes pc, radio;
    ExpectHandshake(rig, &pc, &radio);
    for (int n = 0; n < frames::kBlockCount; ++n) {
      const auto command = frames::BlockCommand(read ? 'R' : 'W', n);
      Append(pc, Bytes(command.begin(), command.end()));
      if (read) {
        Append(pc, {0x06});
        Append(radio, Bytes(command.begin(), command.end()));  // the reply's four leading bytes
        Append(radio, BlockOf(memory, n));
      } else {
        Append(pc, BlockOf(sent, n));
      }
      Append(radio, {0x06});
      // The command goes out as a write of its own.
      ASSERT_EQ(rig.port.Writes()[kHandshakeWrites + 2 * n].size(), 4u);
    }
    EXPECT_EQ(rig.port.PcBytes(), pc);
    EXPECT_EQ(rig.port.RadioBytes(), radio);
    // A read waits 15 ms before each acknowledgement and 5 ms after it.
    if (read) {
      EXPECT_GE(rig.clock.ElapsedMs(), 20 * frames::kBlockCount);
    }
  }
}

// A cancel raised at any moment ends the transfer at once, with no message
// and nothing more sent; a wait it cuts short is no failure.
TEST(CloneBlocks, CancelEndsTheTransferWhereverItIsRaised) {
  const struct {
    const char* name;
    Dir direction;
    std::uint8_t radioType;
    bool silent;
    long long atMs;  // simulated time of the cancel
  } cases[] = {
      {"attempt pauses", Dir::Read, 0xFF, false, 3},
      {"waiting for a silent radio's greeting ack", Dir::Read, 0xFF, true, 300},
      {"mismatch wait", Dir::Write, 0x22, false, 200},
      {"read blocks", Dir::Read, 0xFF, false, 2000},
      {"write blocks", Dir::Write, 0xFF, false, 300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryImage radioMemory = PatternImage(1);
    radioMemory[0x81B] = c.radioType;
    radiosim::RadioFaults faults;
    faults.silent = c.silent;
    Rig rig(radioMemory, faults);
    rig.prompter.answers = {Answer::Ok};  // accept the mismatch
    rig.clock.RaiseAt(c.atMs, rig.cancel);
    MemoryImage image = PatternImage(2);
    image[0x81B] = 0x11;
    EXPECT_EQ(rig.Run(c.direction, image), TransferResult::Cancelled);
    rig.ExpectEnded();
    EXPECT_EQ(rig.clock.ElapsedMs(), c.atMs) << "ended the moment it was raised";
    const Texts prompts = rig.prompter.Texts();
    EXPECT_TRUE(prompts.empty() || prompts == Texts{texts::kTypeMismatch});
  }
}

// A cancel after the last block's acknowledgement comes too late to stop
// the write: the radio holds all of it, and the write says so.
TEST(CloneBlocks, ACancelAfterTheLastAcknowledgementLetsTheWriteComplete) {
  Rig whole(PatternImage(12), 0xFF, {});  // a radio that skips the type check
  ASSERT_EQ(whole.Run(Dir::Write), TransferResult::Completed);
  Rig late(PatternImage(12), 0xFF, {});
  late.clock.RaiseAt(whole.clock.ElapsedMs(), late.cancel);  // in the pause after it
  EXPECT_EQ(late.Run(Dir::Write), TransferResult::Completed);
  EXPECT_EQ(late.outcome.blocksDone, 264);
  EXPECT_EQ(late.radio.Image(), PatternImage(3));
}

}  // namespace
}  // namespace korvel::test
