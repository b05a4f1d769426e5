#pragma once
// One clone transfer: the handshake, then the whole memory image read from
// or written to the radio in 264 blocks of 8 bytes.

#include <cstdint>
#include <optional>
#include <string>

#include "link/clock.h"
#include "link/serial_port.h"
#include "link/transfer_host.h"
#include "model/memory_image.h"

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
};

// A short English name of the result, for logs and the command line.
const char* TransferResultName(TransferResult result);

class CloneTransfer {
 public:
  // Sleeps go through clock.SleepMs; the port is opened, configured and
  // closed by Run.
  CloneTransfer(SerialPort& port, Clock& clock, TransferHost& host);

  // Runs one transfer to its end and closes the dialog. modelCheckArmed is
  // the view's flag: Run arms it at the start and clears it when the user
  // accepts a radio type mismatch. A write collects the grid into image
  // first; a complete read fills the grid from image. Blocks that arrived
  // before a failed read stay stored in image.
  TransferResult Run(TransferDirection direction, const std::string& portName, MemoryImage& image,
                     bool& modelCheckArmed);

  // Blocks whose exchange finished in the last Run (0..264): a read stored
  // blocks 0..BlocksDone()-1 (a read that failed on a block's
  // acknowledgement stored that block too, see BlocksStored()).
  int BlocksDone() const { return blocksDone_; }
  // Blocks of the last read whose data went into the image.
  int BlocksStored() const { return blocksStored_; }
  // Handshake attempts made in the last Run, over all retries.
  int AttemptsMade() const { return attemptsMade_; }

 private:
  enum class Step { Complete, Restart, Failed, Ended };
  // The handshake; nullopt once it is complete, else the end it reached.
  std::optional<TransferResult> RunHandshake(TransferDirection direction, const MemoryImage& image,
                                             bool& modelCheckArmed);
  // From the ident request to the radio's last acknowledgement.
  Step IdentAndAcknowledge(TransferDirection direction, const MemoryImage& image, bool& modelCheckArmed);
  TransferResult WriteBlocks(const MemoryImage& image);
  TransferResult ReadBlocks(MemoryImage& image);
  // passes x (pump pass, cancel check, sleep 1 ms); false when cancelled,
  // with endResult_ set.
  bool WaitPasses(int passes);
  void ProgressStep();
  // One-byte read that is an acknowledgement only when it brings 0x06.
  bool ReadAck();
  bool SendByte(std::uint8_t byte);
  // Shows a message with the interruption watch cleared.
  Answer Ask(const char* text, Buttons buttons);
  TransferResult EndCancelled();
  // Closes the port and the dialog and returns result.
  TransferResult EndClosing(TransferResult result);

  SerialPort& port_;
  Clock& clock_;
  TransferHost& host_;
  TransferResult endResult_ = TransferResult::Cancelled;
  int blocksDone_ = 0;
  int blocksStored_ = 0;
  int attemptsMade_ = 0;
};

}  // namespace korvel
