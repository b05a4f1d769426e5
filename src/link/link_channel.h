#pragma once
// One exchange's view of the serial port: pauses on the link's clock,
// writes that discard the input first, and reads, all ended early by the
// exchange's cancel token (the port must have been made with the same one). Both the clone transfer and the test exchange
// talk to the radio through it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/cancel_token.h"
#include "link/clock.h"
#include "link/serial_port.h"

namespace korvel {

// How a read ended.
enum class ReadEnd {
  Done,       // within the time-outs; the bytes may be fewer than asked
  Failed,     // the port reported an error
  Cancelled,  // the cancel token cut the wait short
};

class LinkChannel {
 public:
  // clearBeforeReads: the input is discarded before every read as well as
  // before every write.
  LinkChannel(SerialPort& port, Clock& clock, const CancelToken& cancel, bool clearBeforeReads = false);

  // Opens the port by name with the given time-outs on the exchanges' line
  // (PortConfig). False when it cannot be opened.
  bool Open(const std::string& portName, const SerialTimeouts& timeouts);
  void Close();

  // False when the cancel token cut the pause short.
  bool Pause(int ms);
  // Discards the input, then writes; false when the write failed.
  bool Send(const std::uint8_t* data, std::size_t n);
  bool Send(std::uint8_t byte) { return Send(&byte, 1); }
  ReadEnd Receive(std::uint8_t* buffer, std::size_t n, std::size_t* received);
  // One byte that must be `expected`: Done only when that byte came.
  ReadEnd ReceiveExactly(std::uint8_t expected, bool* matched);

  bool Cancelled() const { return cancel_.IsRaised(); }
  SerialPort& Port() { return port_; }
  std::string LastError() const { return port_.LastError(); }

 private:
  SerialPort& port_;
  Clock& clock_;
  const CancelToken& cancel_;
  bool clearBeforeReads_;
};

}  // namespace korvel
