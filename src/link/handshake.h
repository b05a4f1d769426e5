#pragma once
// The opening every exchange with the radio shares: the greeting sent byte
// by byte, the radio's acknowledgement (as the first or the second byte),
// the ident request and its reply, then an acknowledgement each way. Its
// pauses differ between the clone transfer and the test exchange and are
// given as parameters; the frames are the same.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/link_channel.h"
#include "link/radio_frames.h"

namespace korvel {

struct HandshakeTiming {
  int pauseBeforeGreetingByteMs;  // before each greeting byte
  int pauseAfterGreetingByteMs;   // after each greeting byte
  int pauseBeforeIdentMs;         // before 'M', and again before 0x02
  int pauseBeforeAckMs;           // before the PC's acknowledgement
};
inline constexpr HandshakeTiming kCloneHandshake{1, 0, 1, 0};
inline constexpr HandshakeTiming kTestHandshake{0, 1, 1, 1};

enum class StepEnd {
  Done,       // the radio answered as it should
  NoAnswer,   // no byte, or another byte, within the time-outs
  Failed,     // the port reported an error
  Cancelled,  // the cancel token cut a wait short
};

struct IdentReply {
  std::array<std::uint8_t, frames::kIdentReplySize> bytes{};
  std::size_t received = 0;
};

// The radio an ident reply names, short and stable, for logs and backup
// names: the model ("KR-300") when its type byte is one of the model list's
// (0x38 and on, as the settings block's model byte), else the reply's
// printable leading bytes and the type byte in hex ("KVRS-FF"); the
// printable bytes alone when the reply stops before the type byte.
std::string RadioIdentText(const IdentReply& reply);

class Handshake {
 public:
  Handshake(LinkChannel& link, const HandshakeTiming& timing) : link_(link), timing_(timing) {}

  // The greeting, then 0x06 as the first byte or, after any other byte or
  // none, as the second. A port error on the first read ends at once.
  StepEnd Greet();
  // 'M' and 0x02, each by its own write, then one read of up to 8 bytes.
  // Only a port error fails it: the reply's length is the caller's to judge.
  StepEnd RequestIdent(IdentReply* reply);
  // The PC's 0x06; false when the write failed (or the pause was cut short,
  // see link's Cancelled()).
  bool SendAck();
  // The radio's closing 0x06.
  StepEnd AwaitAck();

 private:
  StepEnd AwaitByte(std::uint8_t expected);

  LinkChannel& link_;
  HandshakeTiming timing_;
};

}  // namespace korvel
