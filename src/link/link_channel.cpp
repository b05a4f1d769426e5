#include "link/link_channel.h"

namespace korvel {

LinkChannel::LinkChannel(SerialPort& port, Clock& clock, const CancelToken& cancel, bool clearBeforeReads)
    : port_(port), clock_(clock), cancel_(cancel), clearBeforeReads_(clearBeforeReads) {}

bool LinkChannel::Open(const std::string& portName, const SerialTimeouts& timeouts) {
  PortConfig config;
  config.timeouts = timeouts;
  return port_.Open(portName, config);
}

void LinkChannel::Close() { port_.Close(); }

bool LinkChannel::Pause(int ms) { return clock_.SleepMs(ms, &cancel_) && !cancel_.IsRaised(); }

bool LinkChannel::Send(const std::uint8_t* data, std::size_t n) {
  port_.DiscardInput();
  return port_.Write(data, n);
}

ReadEnd LinkChannel::Receive(std::uint8_t* buffer, std::size_t n, std::size_t* received) {
  if (clearBeforeReads_) port_.DiscardInput();
  const bool ok = port_.Read(buffer, n, received);
  // A wait cut short is not a failure, nor a reply that did not come.
  if (cancel_.IsRaised()) return ReadEnd::Cancelled;
  return ok ? ReadEnd::Done : ReadEnd::Failed;
}

ReadEnd LinkChannel::ReceiveExactly(std::uint8_t expected, bool* matched) {
  std::uint8_t byte = 0;
  std::size_t got = 0;
  const ReadEnd end = Receive(&byte, 1, &got);
  *matched = end == ReadEnd::Done && got == 1 && byte == expected;
  return end;
}

}  // namespace korvel
