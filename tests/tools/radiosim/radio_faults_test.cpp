// The simulator's faults: the option values korvel-radiosim takes for them,
// and what each fault makes the radio send, as its help and the README say,
// beside what a sound radio sends.

#include "radio_faults.h"

#include <gtest/gtest.h>

#include <string>

#include "fault_options.h"
#include "radio_feeder.h"

namespace korvel::radiosim::test {
namespace {

TEST(FaultOptions, ValuesAreTakenOrRefusedWithTheirReason) {
  const struct {
    const char* option;
    std::string value;
    RadioFaults faults;    // what a taken value sets
    std::string refusal;   // "" when taken
  } cases[] = {
      {"stray", "16", {.strayBytes = 16}, ""},
      {"stray", "17", {}, "Value 17 not in range 0 to 16"},
      {"ident-length", "0", {.identLength = 0}, ""},
      {"ident-length", "x", {}, "Value x not in range 0 to 7"},
      {"short-reply", "263:11", {.shortReplyBlock = 263, .shortReplyLength = 11}, ""},
      {"short-reply", "5:0", {.shortReplyBlock = 5, .shortReplyLength = 0}, ""},
      {"short-reply", "5", {}, "--short-reply wants BLOCK:LENGTH, block 0..263, length 0..11"},
      {"short-reply", "264:3", {}, "--short-reply wants BLOCK:LENGTH, block 0..263, length 0..11"},
      {"short-reply", "5:12", {}, "--short-reply wants BLOCK:LENGTH, block 0..263, length 0..11"},
      {"short-reply", "5:3x", {}, "--short-reply wants BLOCK:LENGTH, block 0..263, length 0..11"},
      {"nak-write", "263", {.nakWriteBlock = 263}, ""},
      {"nak-write", "-1", {}, "Value -1 not in range 0 to 263"},
      {"bad-read-ack", "0x10", {.badReadAckBlock = 16}, ""},
      {"bad-read-ack", "010", {.badReadAckBlock = 8}, ""},
      {"hang-up-at", "264", {}, "Value 264 not in range 0 to 263"},
      {"no-test-ack", "frequency", {.missingTestAck = TestPoint::kFrequency}, ""},
      {"bad-test-ack", "parameters", {.wrongTestAck = TestPoint::kParameters}, ""},
      {"bad-test-ack", "0", {.wrongTestAck = TestPoint::kCommand}, ""},
      {"no-test-ack", "bogus", {},
       "Check bogus value in {command->0,frequency->1,parameters->2} OR {0,1,2} FAILED"},
      {"latency", "16", {.replyLatencyMs = 16}, ""},
      {"latency", "1001", {}, "Value 1001 not in range 0 to 1000"},
      {"corrupt-byte", "0x40", {.corruptStoredByte = 0x40}, ""},
      {"corrupt-byte", "2111", {.corruptStoredByte = 2111}, ""},
      {"corrupt-byte", "0x840", {}, "Value 0x840 not in range 0 to 2111"},
      {"silent", "1", {}, "silent is not a fault option"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.option) + " " + c.value);
    RadioFaults faults;
    EXPECT_EQ(ParseFaultOption(c.option, c.value, faults).value_or(""), c.refusal);
    EXPECT_TRUE(faults == c.faults);
  }
}

Bytes ReadReply(int block, std::size_t length = 12) {
  Bytes reply = Command('R', block);
  const MemoryImage memory = Numbered();
  reply.resize(12);
  std::copy_n(memory.begin() + block * 8, 8, reply.begin() + 4);
  reply.resize(length);
  return reply;
}
const Bytes kIdent = {'K', 'V', 'R', 'S', 0x38, 0x01, 0x00, 0x00};
const Bytes kTestCommand = {'x', 's', 's', 0x08};
const Bytes kTestBlock(8, 0x11);
constexpr std::uint8_t kNone = 0;  // no byte of memory to look at

// What the radio answers to each frame: first a sound radio's framing (what
// starts, ends and restarts an exchange), then what each fault changes.
TEST(RadioFrames, ASoundRadiosFramingAndWhatEachFaultChanges) {
  const struct {
    const char* name;
    RadioFaults faults;
    bool handshakeFirst;          // a sound handshake before the frames
    std::vector<Bytes> frames;    // from the PC, in order
    std::vector<Bytes> replies;   // to each frame
    std::size_t address = 0;      // then the radio's memory here holds `stored`
    std::uint8_t stored = kNone;
    bool hungUp = false;
  } cases[] = {
      {"only the greeting's last byte is answered", {}, false,
       {Bytes(kGreetingBytes.begin(), kGreetingBytes.end() - 1), {kGreetingBytes.back()}}, {{}, kAckByte}},
      {"nothing before a greeting is answered; one broken off and begun again counts", {}, false,
       {Command('R', 0), {'M', 0x02, 0x06}, {0x02, 'P', 'R', 'O', 0x02, 'P'}, {'R', 'O', 'G', 'R', 'A'}},
       {{}, {}, {}, kAckByte}},
      // As after an accepted type mismatch: ident sent, not acknowledged.
      {"a new greeting restarts after the ident and after the handshake", {}, false,
       {kGreetingBytes, kIdentRequest, kGreetingBytes, kIdentRequest, kAckByte, kGreetingBytes},
       {kAckByte, kIdent, kAckByte, kIdent, kAckByte, kAckByte}},
      {"a read past the memory ends the session unanswered", {}, true, {{'R', 0x08, 0x40, 0x08}, Command('R', 0)},
       {{}, {}}},
      {"a read over the memory's end ends the session unanswered", {}, true,
       {{'R', 0x08, 0x3C, 0x08}, Command('R', 0)}, {{}, {}}},
      {"a read longer than a block ends the session unanswered", {}, true, {{'R', 0, 0, 0x10}, Command('R', 0)},
       {{}, {}}},
      {"silent", {.silent = true}, false, {kGreetingBytes, kIdentRequest, kAckByte, Command('R', 0), kAckByte},
       {{}, {}, {}, {}, {}}},
      {"stray bytes before every greeting acknowledgement", {.strayBytes = 2}, false,
       {kGreetingBytes, kGreetingBytes}, {{kStrayByte, kStrayByte, kAck}, {kStrayByte, kStrayByte, kAck}}},
      {"short ident reply; the handshake goes on", {.identLength = 3}, false,
       {kGreetingBytes, kIdentRequest, kAckByte}, {kAckByte, {'K', 'V', 'R'}, kAckByte}},
      {"bad handshake acknowledgement: no session", {.badHandshakeAck = true}, false,
       {kGreetingBytes, kIdentRequest, kAckByte, Command('R', 0)}, {kAckByte, kIdent, {kWrongAck}, {}}},
      {"short reply to its block only", {.shortReplyBlock = 2, .shortReplyLength = 9}, true,
       {Command('R', 1), kAckByte, Command('R', 2), kAckByte}, {ReadReply(1), kAckByte, ReadReply(2, 9), kAckByte}},
      {"bad read acknowledgement of its block only", {.badReadAckBlock = 3}, true,
       {Command('R', 2), kAckByte, Command('R', 3), kAckByte}, {ReadReply(2), kAckByte, ReadReply(3), {kWrongAck}}},
      {"write block neither stored nor acknowledged", {.nakWriteBlock = 4}, true,
       {Command('W', 3, 0xA5), Command('W', 4, 0xA5), Command('W', 5, 0xA5)}, {kAckByte, {}, kAckByte}, 32,
       Numbered()[32]},
      {"a corrupt byte is stored flipped, acknowledged, and read back so", {.corruptStoredByte = 0x21}, true,
       {Command('W', 4, 0xA5), Command('R', 4)},
       {kAckByte, {'R', 0x00, 0x20, 0x08, 0xA5, 0xA4, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5}}, 0x21, 0xA4},
      {"hang-up when its block is asked for", {.hangUpAtBlock = 6}, true, {Command('R', 5), kAckByte, Command('R', 6)},
       {ReadReply(5), kAckByte, {}}, 0, kNone, true},
      {"no 0x48 to the command", {.missingTestAck = TestPoint::kCommand}, true,
       {kTestCommand, kTestBlock, kTestBlock, kGreetingBytes}, {{}, {}, {}, kAckByte}},
      {"no 0x48 to the frequency block", {.missingTestAck = TestPoint::kFrequency}, true,
       {kTestCommand, kTestBlock, kTestBlock, kGreetingBytes}, {{kTestAck}, {}, {}, kAckByte}},
      {"no 0x48 to the parameter block", {.missingTestAck = TestPoint::kParameters}, true,
       {kTestCommand, kTestBlock, kTestBlock, kGreetingBytes}, {{kTestAck}, {kTestAck}, {}, kAckByte}},
      {"a wrong byte to the command", {.wrongTestAck = TestPoint::kCommand}, true,
       {kTestCommand, kTestBlock, kTestBlock, kGreetingBytes}, {{kWrongAck}, {}, {}, kAckByte}},
      {"a wrong byte to the frequency block", {.wrongTestAck = TestPoint::kFrequency}, true,
       {kTestCommand, kTestBlock, kTestBlock, kGreetingBytes}, {{kTestAck}, {kWrongAck}, {}, kAckByte}},
      {"a wrong byte to the parameter block", {.wrongTestAck = TestPoint::kParameters}, true,
       {kTestCommand, kTestBlock, kTestBlock, kGreetingBytes}, {{kTestAck}, {kTestAck}, {kWrongAck}, kAckByte}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RadioFeeder radio(c.faults);
    if (c.handshakeFirst) radio.Handshake();
    std::vector<Bytes> replies;
    for (const Bytes& frame : c.frames) replies.push_back(radio.Send(frame));
    EXPECT_EQ(replies, c.replies);
    if (c.stored != kNone) {
      EXPECT_EQ(radio.protocol.Image()[c.address], c.stored);
    }
    EXPECT_EQ(radio.protocol.HungUp(), c.hungUp);
  }
}

}  // namespace
}  // namespace korvel::radiosim::test
