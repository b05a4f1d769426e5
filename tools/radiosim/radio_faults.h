#pragma once
// Misbehaviours the simulated radio can be told to show, one per option, so
// every failure path of the PC side can be reached on purpose.

#include <cstddef>
#include <optional>

namespace korvel::radiosim {

// The three points of a test command the radio answers with 0x48: the
// command itself, the frequency block and the parameter block.
enum class TestPoint { kCommand, kFrequency, kParameters };

struct RadioFaults {
  // Never sends a byte: the PC sees no radio at all.
  bool silent = false;
  // Stray bytes sent before every greeting acknowledgement.
  int strayBytes = 0;
  // Length of the ident reply when it is not the full 8 bytes.
  std::optional<int> identLength = {};
  // The PC's acknowledgement of the ident reply is answered with a wrong byte.
  bool badHandshakeAck = false;
  // Read block `shortReplyBlock` is answered with only `shortReplyLength` bytes.
  std::optional<int> shortReplyBlock = {};
  int shortReplyLength = 12;
  // Write block n is neither stored nor acknowledged.
  std::optional<int> nakWriteBlock = {};
  // The PC's acknowledgement after read block n is answered with a wrong byte.
  std::optional<int> badReadAckBlock = {};
  // The 0x48 at this point of a test command is left out, or replaced by a
  // wrong byte; either way the radio drops the command there.
  std::optional<TestPoint> missingTestAck = {};
  std::optional<TestPoint> wrongTestAck = {};
  // The cable is pulled when the command of block n (read or write) arrives:
  // the line hangs up.
  std::optional<int> hangUpAtBlock = {};
  // The byte at this memory address is stored with its lowest bit flipped
  // (XOR 0x01) whenever it is written, as a failing memory cell would: the
  // write is acknowledged, a read back shows the difference.
  std::optional<std::size_t> corruptStoredByte = {};
  // Every reply reaches the PC this many milliseconds late, as through a USB
  // adapter that holds received bytes until its latency timer runs out.
  int replyLatencyMs = 0;

  bool operator==(const RadioFaults&) const = default;
};

}  // namespace korvel::radiosim
