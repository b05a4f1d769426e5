#include "link/handshake.h"

namespace korvel {

StepEnd Handshake::Greet() {
  for (const std::uint8_t byte : frames::kGreeting) {
    if (!link_.Pause(timing_.pauseBeforeGreetingByteMs)) return StepEnd::Cancelled;
    link_.Send(byte);
    if (!link_.Pause(timing_.pauseAfterGreetingByteMs)) return StepEnd::Cancelled;
  }
  bool matched = false;
  switch (link_.ReceiveExactly(frames::kAck, &matched)) {
    case ReadEnd::Cancelled: return StepEnd::Cancelled;
    case ReadEnd::Failed: return StepEnd::Failed;
    case ReadEnd::Done:
      if (matched) return StepEnd::Done;
      break;
  }
  return AwaitByte(frames::kAck);
}

StepEnd Handshake::RequestIdent(IdentReply* reply) {
  if (!link_.Pause(timing_.pauseBeforeIdentMs)) return StepEnd::Cancelled;
  link_.Send(frames::kIdentCommand);
  if (!link_.Pause(timing_.pauseBeforeIdentMs)) return StepEnd::Cancelled;
  link_.Send(frames::kIdentArgument);
  switch (link_.Receive(reply->bytes.data(), reply->bytes.size(), &reply->received)) {
    case ReadEnd::Cancelled: return StepEnd::Cancelled;
    case ReadEnd::Failed: return StepEnd::Failed;
    case ReadEnd::Done: break;
  }
  return StepEnd::Done;
}

bool Handshake::SendAck() {
  if (!link_.Pause(timing_.pauseBeforeAckMs)) return false;
  return link_.Send(frames::kAck);
}

StepEnd Handshake::AwaitAck() { return AwaitByte(frames::kAck); }

StepEnd Handshake::AwaitByte(std::uint8_t expected) {
  bool matched = false;
  switch (link_.ReceiveExactly(expected, &matched)) {
    case ReadEnd::Cancelled: return StepEnd::Cancelled;
    case ReadEnd::Failed: return StepEnd::Failed;
    case ReadEnd::Done: break;
  }
  return matched ? StepEnd::Done : StepEnd::NoAnswer;
}

}  // namespace korvel
