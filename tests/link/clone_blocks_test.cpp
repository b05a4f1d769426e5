// The block phase of the clone transfer: what goes on the wire, what ends
// up in the image and the grid, progress, and the cancel checks.

#include <gtest/gtest.h>

#include <string>

#include "link/radio_frames.h"
#include "link/transfer_texts.h"
#include "transfer_rig.h"

namespace korvel::test {
namespace {

using Dir = TransferDirection;
constexpr std::size_t kHandshakeWrites = 10;  // greeting 7, 'M', 0x02, 0x06

void ExpectCountingProgress(const RecordingHost& host) {
  ASSERT_EQ(host.statuses.size(), 2u + 262u);
  EXPECT_EQ(host.statuses[0], texts::kDetectingPort);
  EXPECT_EQ(host.statuses[1], texts::kWaitingResponse);
  for (int i = 1; i <= 262; ++i) EXPECT_EQ(host.statuses[1 + i], std::to_string(i));
  EXPECT_EQ(host.position, kProgressEnd);
}

TEST(CloneBlocks, CompleteReadStoresTheRadioImageAndFillsTheGrid) {
  Rig rig;
  const MemoryImage radio = PatternImage(41);
  ScriptHandshake(rig.port);
  ScriptReadBlocks(rig.port, radio, 0, frames::kBlockCount);
  EXPECT_EQ(rig.Run(Dir::Read), TransferResult::Completed);
  rig.ExpectEnded();
  EXPECT_EQ(rig.image, radio);
  EXPECT_EQ(rig.host.fills, 1);
  EXPECT_TRUE(rig.host.prompts.empty());
  ExpectCountingProgress(rig.host);
  // The grid is filled after the port and the dialog are closed.
  EXPECT_EQ(std::vector<std::string>(rig.log.end() - 3, rig.log.end()),
            (std::vector<std::string>{"close", "close dialog", "fill"}));

  const auto& w = rig.port.writes;
  ASSERT_EQ(w.size(), kHandshakeWrites + 2 * frames::kBlockCount);
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(w[i], Bytes{frames::kGreeting[i]});
  EXPECT_EQ(w[7], Bytes{'M'});
  EXPECT_EQ(w[8], Bytes{0x02});
  EXPECT_EQ(w[9], Bytes{0x06});
  EXPECT_EQ(w[kHandshakeWrites], (Bytes{'R', 0x00, 0x00, 0x08}));
  EXPECT_EQ(w[kHandshakeWrites + 1], Bytes{0x06});
  EXPECT_EQ(w[kHandshakeWrites + 2 * 33], (Bytes{'R', 0x01, 0x08, 0x08}));
  EXPECT_EQ(w[w.size() - 2], (Bytes{'R', 0x08, 0x38, 0x08}));
  EXPECT_EQ(rig.Count("sleep 15"), frames::kBlockCount);
  EXPECT_EQ(rig.Count("sleep 5"), frames::kBlockCount);
  EXPECT_EQ(rig.host.passes, 7 + 199 * frames::kBlockCount);
}

TEST(CloneBlocks, CompleteWriteSendsTheCollectedImage) {
  Rig rig;
  rig.host.collectedMarker = 0x5A;
  ScriptHandshake(rig.port, 0x5A);
  for (int n = 0; n < frames::kBlockCount; ++n) rig.port.script.push_back(Data({frames::kAck}));
  EXPECT_EQ(rig.Run(Dir::Write), TransferResult::Completed);
  rig.ExpectEnded();
  EXPECT_EQ(rig.log.front(), "collect");
  EXPECT_EQ(rig.host.fills, 0);
  EXPECT_TRUE(rig.host.prompts.empty());
  ExpectCountingProgress(rig.host);

  const auto& w = rig.port.writes;
  ASSERT_EQ(w.size(), kHandshakeWrites + 2 * frames::kBlockCount);
  MemoryImage sent{};
  for (int n = 0; n < frames::kBlockCount; ++n) {
    const Bytes& command = w[kHandshakeWrites + 2 * n];
    ASSERT_EQ(command, (Bytes{'W', static_cast<std::uint8_t>(n * 8 >> 8), static_cast<std::uint8_t>(n * 8), 8}));
    const Bytes& data = w[kHandshakeWrites + 2 * n + 1];
    ASSERT_EQ(data.size(), 8u);
    std::copy(data.begin(), data.end(), sent.begin() + n * 8);
  }
  EXPECT_EQ(sent, rig.image);
  EXPECT_EQ(rig.image[0], 0x5A);
}

TEST(CloneBlocks, ShortReadReplyKeepsTheBlocksBeforeIt) {
  const int n = 5;
  for (const std::size_t length : {11u, 10u, 3u, 0u}) {
    Rig rig;
    const MemoryImage before = rig.image;
    const MemoryImage radio = PatternImage(77);
    ScriptHandshake(rig.port);
    ScriptReadBlocks(rig.port, radio, 0, n);
    Bytes reply = {0xA0, 0xA1, 0xA2, 0xA3, 9, 9, 9, 9, 9, 9, 9, 9};
    reply.resize(length);
    rig.port.script.push_back(Data(reply));
    EXPECT_EQ(rig.Run(Dir::Read), TransferResult::ShortReply) << length;
    rig.ExpectEnded();
    EXPECT_EQ(rig.host.prompts, std::vector<std::string>{texts::kShortReply});
    EXPECT_TRUE(std::equal(rig.image.begin(), rig.image.begin() + 8 * n, radio.begin()));
    EXPECT_TRUE(std::equal(rig.image.begin() + 8 * n, rig.image.end(), before.begin() + 8 * n)) << length;
    EXPECT_EQ(rig.host.fills, 0);
  }
}

TEST(CloneBlocks, UnansweredReadAcknowledgementKeepsThatBlock) {
  const int n = 9;
  for (const Reply& answer : {Data({0x15}), Silence(), PortError()}) {
    Rig rig;
    const MemoryImage before = rig.image;
    const MemoryImage radio = PatternImage(12);
    ScriptHandshake(rig.port);
    ScriptReadBlocks(rig.port, radio, 0, n + 1);
    rig.port.script.back() = answer;
    EXPECT_EQ(rig.Run(Dir::Read), TransferResult::ReadAckFailed);
    rig.ExpectEnded();
    EXPECT_EQ(rig.host.prompts, std::vector<std::string>{texts::kReadAckFailed});
    EXPECT_TRUE(std::equal(rig.image.begin(), rig.image.begin() + 8 * n + 8, radio.begin()));
    EXPECT_TRUE(std::equal(rig.image.begin() + 8 * n + 8, rig.image.end(), before.begin() + 8 * n + 8));
    EXPECT_EQ(rig.host.position, n + 1);
    EXPECT_EQ(rig.host.fills, 0);
  }
}

TEST(CloneBlocks, UnacknowledgedWriteBlockStopsWithProgramInterrupt) {
  Rig rig;
  ScriptHandshake(rig.port);
  for (int n = 0; n < 7; ++n) rig.port.script.push_back(Data({frames::kAck}));
  rig.port.script.push_back(Data({0x15}));
  EXPECT_EQ(rig.Run(Dir::Write), TransferResult::WriteNotAcknowledged);
  rig.ExpectEnded();
  EXPECT_EQ(rig.host.prompts, std::vector<std::string>{texts::kProgramInterrupt});
  EXPECT_EQ(rig.BlockCommands('W'), 8);
  EXPECT_EQ(rig.transfer.BlocksDone(), 7);
  EXPECT_EQ(rig.host.position, kProgressEnd);
  EXPECT_FALSE(rig.host.watch);
}

// A cancel request raised in a pump pass ends the transfer at the next
// cancel check, with no message and nothing sent after it.
TEST(CloneBlocks, CancelIsNoticedAtEveryKindOfCancelCheck) {
  struct Case {
    const char* where;
    Dir direction;
    long cancelAtPass;
    std::uint8_t radioType;
    int blocksDone;
  };
  const Case cases[] = {
      {"attempt passes", Dir::Read, 3, 0xFF, 0},
      {"mismatch wait", Dir::Write, 7 + 100, 0x22, 0},
      {"read block passes", Dir::Read, 7 + 199 * 2 + 50, 0xFF, 3},
      // Raised in a block's last pass: a read checks after the pass and
      // stops at once, a write checks before it and sends one more block.
      {"last read block pass", Dir::Read, 7 + 199 * 3, 0xFF, 3},
      {"last write block pass", Dir::Write, 7 + 201 * 5, 0xFF, 6},
  };
  for (const Case& c : cases) {
    Rig rig;
    rig.host.cancelAtPass = c.cancelAtPass;
    ScriptHandshake(rig.port, c.radioType);
    ScriptReadBlocks(rig.port, PatternImage(1), 0, frames::kBlockCount);
    if (c.direction == Dir::Write) {
      rig.port.script.clear();
      ScriptHandshake(rig.port, c.radioType);
      for (int n = 0; n < frames::kBlockCount; ++n) rig.port.script.push_back(Data({frames::kAck}));
    }
    rig.host.answers = {Answer::Ok};
    EXPECT_EQ(rig.Run(c.direction), TransferResult::Cancelled) << c.where;
    rig.ExpectEnded();
    EXPECT_EQ(rig.host.passes, c.cancelAtPass) << c.where;
    EXPECT_EQ(rig.Greetings(), c.cancelAtPass > 7 ? 1 : 0) << c.where;
    EXPECT_EQ(rig.transfer.BlocksDone(), c.blocksDone) << c.where;
    EXPECT_EQ(rig.BlockCommands(c.direction == Dir::Read ? 'R' : 'W'), c.blocksDone) << c.where;
  }
  // The wait after an acknowledgement answered otherwise.
  Rig rig;
  ScriptHandshake(rig.port);
  rig.port.script.back() = Data({0x00});
  rig.host.cancelAtPass = 7 + 600;
  EXPECT_EQ(rig.Run(Dir::Read), TransferResult::Cancelled);
  EXPECT_TRUE(rig.host.prompts.empty());
  EXPECT_EQ(rig.host.passes, 7 + 600);
}

}  // namespace
}  // namespace korvel::test
