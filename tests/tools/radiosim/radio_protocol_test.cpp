// The radio's side of the protocol on its own: bytes in, bytes out.

#include "radio_protocol.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvel::radiosim {
namespace {

using Bytes = std::vector<std::uint8_t>;

MemoryImage Numbered() {
  MemoryImage image;
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  return image;
}

class Radio {
 public:
  explicit Radio(RadioFaults faults = {}, std::uint8_t type = 0x38) : protocol(Numbered(), type, faults) {}
  // Feeds the bytes and returns everything the radio answered to them.
  Bytes Send(const Bytes& bytes) {
    Bytes out;
    for (std::uint8_t b : bytes) protocol.Feed(b, out);
    return out;
  }
  Bytes Greet() { return Send({0x02, 'P', 'R', 'O', 'G', 'R', 'A'}); }
  void Handshake() {
    Greet();
    Send({'M', 0x02});
    Send({0x06});
  }
  static Bytes Command(std::uint8_t c, int block) {
    const int a = block * 8;
    return {c, static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a & 0xFF), 0x08};
  }
  RadioProtocol protocol;
};

TEST(RadioProtocolHandshake, AnswersGreetingIdentAndAcknowledgement) {
  Radio radio({}, 0x3A);
  Bytes out;
  // Nothing before the greeting's last byte.
  const Bytes greeting = {0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
  for (std::size_t i = 0; i + 1 < greeting.size(); ++i) {
    radio.protocol.Feed(greeting[i], out);
    EXPECT_TRUE(out.empty()) << "after greeting byte " << i;
  }
  radio.protocol.Feed(greeting.back(), out);
  EXPECT_EQ(out, Bytes{0x06});

  const Bytes ident = radio.Send({'M', 0x02});
  ASSERT_EQ(ident.size(), 8u);
  EXPECT_EQ(ident[4], 0x3A);
  EXPECT_EQ(radio.Send({0x06}), Bytes{0x06});
  EXPECT_EQ(radio.protocol.CurrentState(), RadioProtocol::State::kReady);
}

TEST(RadioProtocolHandshake, IgnoresEverythingBeforeAGreeting) {
  Radio radio;
  EXPECT_TRUE(radio.Send(Radio::Command('R', 0)).empty());
  EXPECT_TRUE(radio.Send({'M', 0x02, 0x06}).empty());
  // A greeting broken off and begun again still counts.
  EXPECT_TRUE(radio.Send({0x02, 'P', 'R', 'O', 0x02, 'P'}).empty());
  EXPECT_EQ(radio.Send({'R', 'O', 'G', 'R', 'A'}), Bytes{0x06});
  EXPECT_EQ(radio.protocol.Handshakes(), 1);
}

TEST(RadioProtocolHandshake, NewGreetingRestartsFromAnyStage) {
  Radio radio;
  radio.Greet();
  // Ident sent, the PC gives up without acknowledging and greets again, as
  // after an accepted type mismatch.
  radio.Send({'M', 0x02});
  EXPECT_EQ(radio.Greet(), Bytes{0x06});
  EXPECT_EQ(radio.Send({'M', 0x02}).size(), 8u);
  EXPECT_EQ(radio.Send({0x06}), Bytes{0x06});
  // After the handshake too.
  EXPECT_EQ(radio.Greet(), Bytes{0x06});
  EXPECT_EQ(radio.protocol.Handshakes(), 3);
}

TEST(RadioProtocolBlocks, ReadBlockRepliesWithTheImageBytes) {
  Radio radio;
  radio.Handshake();
  const MemoryImage image = Numbered();
  for (int block : {0, 1, 131, 263}) {
    const Bytes reply = radio.Send(Radio::Command('R', block));
    ASSERT_EQ(reply.size(), 12u) << "block " << block;
    EXPECT_EQ(Bytes(reply.begin() + 4, reply.end()),
              Bytes(image.begin() + block * 8, image.begin() + block * 8 + 8))
        << "block " << block;
    EXPECT_EQ(radio.Send({0x06}), Bytes{0x06}) << "block " << block;
  }
}

TEST(RadioProtocolBlocks, CommandsOutsideTheMemoryGetNoReply) {
  Radio radio;
  radio.Handshake();
  EXPECT_TRUE(radio.Send({'R', 0x08, 0x40, 0x08}).empty()) << "block past the end";  // 0x840
  radio.Handshake();
  EXPECT_TRUE(radio.Send({'R', 0x08, 0x3C, 0x08}).empty()) << "straddles the end";
  radio.Handshake();
  EXPECT_TRUE(radio.Send({'R', 0x00, 0x00, 0x10}).empty()) << "length other than 8";
  // The radio has dropped the session and waits for a greeting.
  EXPECT_TRUE(radio.Send(Radio::Command('R', 0)).empty());
}

TEST(RadioProtocolBlocks, WriteBlocksStoreAndReportTheWholeImageOnce) {
  Radio radio;
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
    Bytes frame = Radio::Command('W', block);
    frame.insert(frame.end(), sent.begin() + block * 8, sent.begin() + block * 8 + 8);
    EXPECT_EQ(radio.Send(frame), Bytes{0x06}) << "block " << block;
    EXPECT_EQ(reports, block == kBlockCount - 1 ? 1 : 0) << "block " << block;
  }
  EXPECT_EQ(radio.protocol.Image(), sent);
  EXPECT_EQ(reported, sent);

  // Rewriting one block is not a whole write.
  radio.Handshake();
  Bytes frame = Radio::Command('W', 5);
  frame.insert(frame.end(), 8, 0x00);
  radio.Send(frame);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(radio.protocol.Image()[40], 0x00);
}

TEST(RadioProtocolBlocks, QuietLineDropsOnlyAHalfReceivedFrame) {
  Radio radio;
  radio.Handshake();
  radio.protocol.LineQuiet();
  EXPECT_EQ(radio.Send(Radio::Command('R', 0)).size(), 12u) << "a pause between frames keeps the session";
  radio.Send({0x06});
  radio.Send({'W', 0x00, 0x00, 0x08, 1, 2, 3});
  radio.protocol.LineQuiet();
  // The rest of the broken frame and a new greeting: only the greeting counts.
  EXPECT_EQ(radio.Send({4, 5, 6, 7, 8, 0x02, 'P', 'R', 'O', 'G', 'R', 'A'}), Bytes{0x06});
  EXPECT_EQ(radio.protocol.Image()[0], Numbered()[0]);
}

TEST(RadioProtocolFaults, SilentRadioNeverAnswers) {
  RadioFaults faults;
  faults.silent = true;
  Radio radio(faults);
  Bytes all = radio.Greet();
  for (const Bytes& b : {Bytes{'M', 0x02}, Bytes{0x06}, Radio::Command('R', 0), Bytes{0x06}}) {
    const Bytes out = radio.Send(b);
    all.insert(all.end(), out.begin(), out.end());
  }
  EXPECT_TRUE(all.empty());
}

TEST(RadioProtocolFaults, HandshakeFaults) {
  RadioFaults stray;
  stray.strayBytes = 2;
  Radio strayRadio(stray);
  EXPECT_EQ(strayRadio.Greet(), (Bytes{kStrayByte, kStrayByte, 0x06}));
  EXPECT_EQ(strayRadio.Greet(), (Bytes{kStrayByte, kStrayByte, 0x06})) << "at every greeting";

  RadioFaults shortIdent;
  shortIdent.identLength = 3;
  Radio shortRadio(shortIdent);
  shortRadio.Greet();
  EXPECT_EQ(shortRadio.Send({'M', 0x02}).size(), 3u);
  EXPECT_EQ(shortRadio.Send({0x06}), Bytes{0x06}) << "the handshake goes on";

  RadioFaults badAck;
  badAck.badHandshakeAck = true;
  Radio badAckRadio(badAck);
  badAckRadio.Greet();
  badAckRadio.Send({'M', 0x02});
  EXPECT_EQ(badAckRadio.Send({0x06}), Bytes{kWrongAck});
  EXPECT_TRUE(badAckRadio.Send(Radio::Command('R', 0)).empty()) << "no session after a failed handshake";
}

TEST(RadioProtocolFaults, BlockFaultsHitOnlyTheirBlock) {
  RadioFaults faults;
  faults.shortReplyBlock = 2;
  faults.shortReplyLength = 9;
  faults.badReadAckBlock = 3;
  faults.nakWriteBlock = 4;
  Radio radio(faults);
  radio.Handshake();
  EXPECT_EQ(radio.Send(Radio::Command('R', 1)).size(), 12u);
  EXPECT_EQ(radio.Send({0x06}), Bytes{0x06});
  EXPECT_EQ(radio.Send(Radio::Command('R', 2)).size(), 9u);
  EXPECT_EQ(radio.Send({0x06}), Bytes{0x06});
  EXPECT_EQ(radio.Send(Radio::Command('R', 3)).size(), 12u);
  EXPECT_EQ(radio.Send({0x06}), Bytes{kWrongAck});

  for (int block : {3, 4, 5}) {
    Bytes frame = Radio::Command('W', block);
    frame.insert(frame.end(), 8, 0xA5);
    const Bytes ack = radio.Send(frame);
    if (block == 4) {
      EXPECT_TRUE(ack.empty());
      EXPECT_EQ(radio.protocol.Image()[32], Numbered()[32]) << "a refused block is not stored";
    } else {
      EXPECT_EQ(ack, Bytes{0x06}) << "block " << block;
      EXPECT_EQ(radio.protocol.Image()[block * 8], 0xA5);
    }
  }
}

TEST(RadioProtocolTestCommands, AcknowledgesEachPartAndRecordsTheBlocks) {
  Radio radio;
  radio.Handshake();
  EXPECT_TRUE(radio.Send({'x', 's'}).empty());
  EXPECT_EQ(radio.Send({'s', 0x08}), Bytes{kTestAck});
  const Bytes frequency = {0x00, 0x00, 0x60, 0x14, 0x00, 0x00, 0x60, 0x14};
  const Bytes parameters = {0x00, 0x00, 0x00, 0x00, 0xFB, 0x01, 0x01, 0xA0};
  EXPECT_EQ(radio.Send(frequency), Bytes{kTestAck});
  EXPECT_EQ(radio.Send(parameters), Bytes{kTestAck});
  ASSERT_EQ(radio.protocol.TestCommands().size(), 1u);
  const TestCommand& command = radio.protocol.TestCommands()[0];
  EXPECT_EQ(command.command, 's');
  EXPECT_EQ(Bytes(command.frequencyBlock.begin(), command.frequencyBlock.end()), frequency);
  EXPECT_EQ(Bytes(command.parameterBlock.begin(), command.parameterBlock.end()), parameters);
  EXPECT_EQ(radio.protocol.CurrentState(), RadioProtocol::State::kIdle);

  // A repeated command byte that differs is not a test command.
  radio.Handshake();
  EXPECT_TRUE(radio.Send({'x', 'q', 'r', 0x08}).empty());
  EXPECT_EQ(radio.protocol.TestCommands().size(), 1u);
}

TEST(RadioProtocolTestCommands, FaultsLeaveOutOrSpoilOneAcknowledgementAndDropTheCommand) {
  const Bytes frequency(8, 0x11), parameters(8, 0x22);
  const struct {
    const char* name;
    RadioFaults faults;
    Bytes replies;  // to the command, the frequency block, the parameter block
  } cases[] = {
      {"no 0x48 to the command", {.missingTestAck = TestPoint::kCommand}, {}},
      {"no 0x48 to the frequency block", {.missingTestAck = TestPoint::kFrequency}, {kTestAck}},
      {"no 0x48 to the parameter block", {.missingTestAck = TestPoint::kParameters}, {kTestAck, kTestAck}},
      {"a wrong byte to the command", {.wrongTestAck = TestPoint::kCommand}, {kWrongAck}},
      {"a wrong byte to the frequency block", {.wrongTestAck = TestPoint::kFrequency}, {kTestAck, kWrongAck}},
      {"a wrong byte to the parameter block",
       {.wrongTestAck = TestPoint::kParameters},
       {kTestAck, kTestAck, kWrongAck}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Radio radio(c.faults);
    radio.Handshake();
    Bytes replies = radio.Send({'x', 's', 's', 0x08});
    // Bytes after a dropped part are not taken as the command's.
    for (const Bytes* part : {&frequency, &parameters}) {
      const Bytes reply = radio.Send(*part);
      replies.insert(replies.end(), reply.begin(), reply.end());
    }
    EXPECT_EQ(replies, c.replies);
    // The next greeting is answered.
    EXPECT_EQ(radio.Greet(), Bytes{kAck});
  }
}

}  // namespace
}  // namespace korvel::radiosim
