#include "link/handshake.h"

#include <algorithm>
#include <cstdio>

#include "model/settings_block.h"

namespace korvel {

std::string RadioIdentText(const IdentReply& reply) {
  using namespace settings;
  const std::size_t typeAt = frames::kIdentTypeIndex;
  if (reply.received > typeAt && !ModelTextOf(reply.bytes[typeAt]).empty()) {
    std::string name;
    for (const char c : ModelTextOf(reply.bytes[typeAt]))
      if (c != ' ') name += c;
    return name;
  }
  std::string text;
  for (std::size_t i = 0; i < std::min(reply.received, typeAt); ++i) {
    const std::uint8_t c = reply.bytes[i];
    if (c >= 0x21 && c <= 0x7E) text += static_cast<char>(c);
  }
  if (reply.received > typeAt) {
    char type[4];
    std::snprintf(type, sizeof type, "%02X", reply.bytes[typeAt]);
    text += (text.empty() ? "" : "-") + std::string(type);
  }
  return text;
}

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
