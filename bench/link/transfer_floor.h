#pragma once
// The floor of a clone transfer on a 9600-baud 8N1 line: every byte on the
// line, one after the other, plus every mandated sleep. The benchmarks
// print their wall times against it.

#include "link/clone_transfer.h"

namespace korvel::bench {

inline constexpr double kCharacterMs = 10.0 * 1000.0 / 9600.0;
inline constexpr int kBlocks = 264;

// The floor of a transfer: every byte on the line, one after the other, plus
// every mandated sleep. `overlapped` is the tighter floor that leaves out the
// sleeps a real line overlaps with a byte still being sent: the 1 ms before
// greeting bytes 2 to 7 and before the ident request's 0x02, and the 1 ms
// between a write block's command and its data.
struct Floor {
  double sum;
  double overlapped;
};

inline Floor TransferFloor(TransferDirection direction) {
  // Handshake bytes: greeting 7, ack 1, ident request 2, ident 8, ack 1, ack 1.
  // Handshake sleeps: 7 pump passes with 1 ms, 1 ms before each greeting
  // byte, 1 ms before 'M' and before 0x02.
  const double handshakeLine = 20 * kCharacterMs;
  // Read block: command 4, reply 12, ack 1, ack 1; sleeps 15 and 5.
  // Write block: command 4, data 8, ack 1; sleeps 1 and 1.
  const bool read = direction == TransferDirection::Read;
  const double blocksLine = kBlocks * (read ? 18 : 13) * kCharacterMs;
  const double blockSleeps = kBlocks * (read ? 20.0 : 2.0);
  const double blockOverlap = read ? 0.0 : kBlocks * 1.0;
  return {handshakeLine + 16 + blocksLine + blockSleeps, handshakeLine + 9 + blocksLine + blockSleeps - blockOverlap};
}

// The same behind an adapter that holds every reply latencyMs before
// passing it on: the handshake's three replies (greeting acknowledgement,
// ident, closing acknowledgement), then a read block's two (its data and
// the acknowledgement) or a write block's one, each waited for in turn.
inline Floor TransferFloor(TransferDirection direction, double latencyMs) {
  const Floor line = TransferFloor(direction);
  const int replies = 3 + kBlocks * (direction == TransferDirection::Read ? 2 : 1);
  return {line.sum + replies * latencyMs, line.overlapped + replies * latencyMs};
}

// 15 attempts of 7 x 1 ms, the greeting (1 ms before each of its 7 bytes),
// two one-byte reads that wait their whole 590 ms, and 2 ms after the failure.
inline Floor SilentFloor() {
  return {15 * (7 + 7 + 7 * kCharacterMs + 2 * 590 + 2), 15 * (7 + 1 + 7 * kCharacterMs + 2 * 590 + 2)};
}

}  // namespace korvel::bench
