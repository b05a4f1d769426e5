// The simulated radio's framing where more than its answers tell: a quiet
// line, test commands it takes, and when a write counts as complete; what
// it answers frame by frame, sound or faulty, is radio_faults_test's, and a
// whole sound exchange the link tests check through it.

#include "radio_protocol.h"

#include <gtest/gtest.h>

#include "radio_feeder.h"

namespace korvel::radiosim::test {
namespace {

TEST(RadioProtocolFraming, QuietLineDropsOnlyAHalfReceivedFrame) {
  RadioFeeder radio;
  radio.Handshake();
  radio.protocol.LineQuiet();
  EXPECT_EQ(radio.Send(Command('R', 0)).size(), 12u) << "a pause between frames keeps the session";
  radio.Send(kAckByte);
  radio.Send({'W', 0x00, 0x00, 0x08, 1, 2, 3});
  radio.protocol.LineQuiet();
  // The rest of the broken frame and a new greeting: only the greeting counts.
  EXPECT_EQ(radio.Send({4, 5, 6, 7, 8, 0x02, 'P', 'R', 'O', 'G', 'R', 'A'}), kAckByte);
  EXPECT_EQ(radio.protocol.Image()[0], Numbered()[0]);
}

TEST(RadioProtocolFraming, TestCommandNeedsItsCommandByteRepeated) {
  RadioFeeder radio;
  radio.Handshake();
  EXPECT_TRUE(radio.Send({'x', 'q', 'r', 0x08}).empty());
  EXPECT_TRUE(radio.Send(Bytes(16, 0x11)).empty());
  EXPECT_TRUE(radio.protocol.TestCommands().empty());
}

TEST(RadioProtocolWrite, AllBlocksSinceTheHandshakeReportTheImageOnce) {
  RadioFeeder radio;
  int reports = 0;
  MemoryImage reported{};
  radio.protocol.SetOnImageWritten([&](const MemoryImage& image) {
    ++reports;
    reported = image;
  });
  radio.Handshake();
  MemoryImage sent;
  for (std::size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<std::uint8_t>(255 - i % 251);
  for (int block = 0; block < kBlockCount; ++block) {
    Bytes frame = Command('W', block);
    frame.insert(frame.end(), sent.begin() + block * 8, sent.begin() + block * 8 + 8);
    EXPECT_EQ(radio.Send(frame), kAckByte) << "block " << block;
    EXPECT_EQ(reports, block == kBlockCount - 1 ? 1 : 0) << "block " << block;
  }
  EXPECT_EQ(reported, sent);

  // After a new handshake, blocks 5 to 263 are not a whole write: 0 to 4
  // were written before it.
  radio.Handshake();
  radio.Send(Command('W', 5, 0x00));
  EXPECT_EQ(radio.protocol.Image()[40], 0x00);
  for (int block = 6; block < kBlockCount; ++block) radio.Send(Command('W', block, 0x00));
  EXPECT_EQ(reports, 1);
}

}  // namespace
}  // namespace korvel::radiosim::test
