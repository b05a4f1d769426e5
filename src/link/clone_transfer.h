#pragma once
// One clone transfer: the handshake, then the whole memory image read from
// or written to the radio in 264 blocks of 8 bytes. It runs on any thread:
// progress goes out as events, questions through the prompter, and the
// cancel token, raised from anywhere, ends it at its next cancel check
// (cutting short the wait in progress).

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "link/cancel_token.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "link/transfer_events.h"
#include "model/memory_image.h"
#include "model/prompter.h"

namespace korvel {

enum class TransferDirection { Read, Write };

// Which end a transfer reached.
enum class TransferResult {
  Completed,
  PortNotOpened,
  Cancelled,                    // cancel request seen at a cancel check
  CommunicationErrorCancelled,  // Cancel on the communication error or on the send order error
  TypeMismatchCancelled,        // Cancel on the radio type question
  WriteNotAcknowledged,         // a write block was not answered with 0x06
  ShortReply,                   // a read reply had fewer than 12 bytes
  ReadAckFailed,                // a read block's 0x06 was not answered with 0x06
  ConnectionLost,               // the port failed during the blocks (cable pulled)
};

// A short English name of the result, for logs and the command line.
const char* TransferResultName(TransferResult result);

struct TransferOutcome {
  TransferResult result = TransferResult::Cancelled;
  // A read's image: present only when all 264 blocks arrived.
  std::optional<MemoryImage> image;
  // A read: the blocks received and acknowledged. A write: the blocks the
  // radio received, command and all eight data bytes sent, acknowledged or
  // not (a block whose acknowledgement is missing reached the radio).
  int blocksDone = 0;
  int attempts = 0;      // handshake attempts over all retries
  std::string detail;    // the port's own error, when one ended or preceded the end
  // The radio as its last ident reply named it (RadioIdentText); empty when
  // no reply came.
  std::string ident;
  // The type byte of that reply, when the reply reached it.
  std::optional<std::uint8_t> radioType;
  // From the start to the end on the transfer's clock.
  std::chrono::milliseconds elapsed{0};
};

class CloneTransfer {
 public:
  CloneTransfer(SerialPort& port, Clock& clock, Prompter& prompter, const CancelToken& cancel,
                TransferEvents& events);

  // Reads the radio's memory. The image comes back whole or not at all.
  TransferOutcome Read(const std::string& portName);
  // Writes image (the grid already collected into it) to the radio; the
  // radio type is checked against its byte 0x81B once per transfer.
  TransferOutcome Write(const std::string& portName, MemoryImage image);

  // Where the transfer's events go, and the clock it runs on.
  TransferEvents& Events() const { return events_; }
  Clock& TransferClock() const { return clock_; }

 private:
  TransferOutcome Run(TransferDirection direction, const std::string& portName, MemoryImage image);

  SerialPort& port_;
  Clock& clock_;
  Prompter& prompter_;
  const CancelToken& cancel_;
  TransferEvents& events_;
};

}  // namespace korvel
