#pragma once
// Serves a RadioProtocol on a pseudo-terminal: the PC side opens the slave
// device as its serial port, the server reads and writes the master.
//
// The server keeps a slave descriptor of its own open for its whole life, so
// the PC can open and close the device for each transfer without the master
// seeing a hang-up. Paced, it delivers every byte one 9600-baud 8N1 character
// time (10 bits, about 1.04 ms) after the line is free, in both directions,
// as a real line would.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>

#include "radio_protocol.h"
#include "wire_log.h"

namespace korvel::radiosim {

inline constexpr std::chrono::nanoseconds kCharacterTime{1'041'667};  // 10 bits at 9600 baud
// A frame left unfinished this long is dropped (RadioProtocol::LineQuiet).
inline constexpr std::chrono::milliseconds kQuietTime{250};
// How often the server looks for a port left exclusive by a killed client.
inline constexpr std::chrono::milliseconds kLockCheckInterval{200};

struct ServerOptions {
  bool paced = true;
  // When not empty, a symbolic link to the device made by Open, removed by
  // the destructor.
  std::string linkPath;
  WireLog* log = nullptr;
  // Run the serving thread at a real-time priority when the system allows.
  // A serial port's hardware takes each byte the moment it is written; a
  // pseudo-terminal holds it until the server reads it, and a flush of the
  // PC side's queues in between (the clone transfer clears them 1 ms after
  // a block command) would throw it away. Serving ahead of ordinary work
  // keeps that window small on a loaded machine.
  bool realtime = true;
};

class PtyServer {
 public:
  PtyServer(RadioProtocol& protocol, ServerOptions options);
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Creates the pseudo-terminal, puts its line in raw mode and makes the link.
  bool Open(std::string* error);
  // The slave device the PC opens, e.g. /dev/pts/3.
  const std::string& DevicePath() const { return devicePath_; }
  // Serves until RequestStop. Returns false on an error of the master side.
  bool Run(std::string* error);
  // Safe from any thread and from a signal handler.
  void RequestStop();

 private:
  using TimePoint = std::chrono::steady_clock::time_point;
  void ReadMaster(TimePoint now);
  void Deliver(TimePoint now);
  bool WriteDue(TimePoint now, bool* blocked);
  // Clears the exclusive mode a killed client left on the port.
  void ReleaseAbandonedPort();

  RadioProtocol& protocol_;
  ServerOptions options_;
  int master_ = -1;
  int heldSlave_ = -1;
  int stopPipe_[2] = {-1, -1};
  std::atomic<bool> stop_{false};
  std::string devicePath_;
  bool linkMade_ = false;
  // Bytes on their way, each with the time it has crossed the line.
  std::deque<std::pair<TimePoint, std::uint8_t>> inbound_;
  std::deque<std::pair<TimePoint, std::uint8_t>> outbound_;
  TimePoint inboundFree_{};
  TimePoint outboundFree_{};
  TimePoint lastDelivery_{};
  TimePoint nextLockCheck_{};
};

}  // namespace korvel::radiosim
