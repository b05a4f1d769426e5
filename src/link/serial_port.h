#pragma once
// The serial port as the clone transfer and the test exchange use it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace korvel {

class CancelToken;

// Read and write time-outs in milliseconds. A read of n bytes returns after
// n bytes, after a gap longer than readIntervalMs once a byte has arrived,
// or after n * readTotalPerByteMs + readTotalConstantMs in all.
struct SerialTimeouts {
  int readIntervalMs;
  int readTotalPerByteMs;
  int readTotalConstantMs;
  int writeTotalPerByteMs;
  int writeTotalConstantMs;
};
inline constexpr SerialTimeouts kCloneTimeouts{30, 500, 90, 50, 50};
inline constexpr SerialTimeouts kTestModeTimeouts{10, 50, 50, 50, 50};

// Everything an exchange sets on the port when it opens it: the time-outs
// and the line, raw 9600 baud 8N1. Every other setting is left as the port
// reports it. The queue sizes are the driver queues an exchange asks for;
// POSIX has no call to size them, so the POSIX port does not use them.
struct PortConfig {
  SerialTimeouts timeouts = kCloneTimeouts;
  int baudRate = 9600;
  int dataBits = 8;
  bool parity = false;
  int stopBits = 1;
  std::size_t inputQueueSize = 1024;
  std::size_t outputQueueSize = 512;
};

// A port's reads and waits are cut short by the cancel token it was made
// with, so whoever owns the token makes the port.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Opens the named port for exclusive read and write and applies config;
  // false (the port closed) when it is missing or held by another program.
  virtual bool Open(const std::string& name, const PortConfig& config) = 0;
  // Reads up to n bytes within the time-outs. False only when the port
  // reports an error (a hang-up included); *received is set either way. A
  // raised cancel token ends the wait early: true, with the bytes so far.
  virtual bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) = 0;
  virtual bool Write(const std::uint8_t* data, std::size_t n) = 0;
  // Discards what has arrived and not been read; bytes written before it
  // still go out.
  virtual void DiscardInput() = 0;
  virtual void Close() = 0;
  // The device and the system's reason of the last failure ("" when none).
  virtual std::string LastError() const = 0;
};

// Makes the port one exchange runs on, given the exchange's cancel token.
using PortFactory = std::function<std::unique_ptr<SerialPort>(const CancelToken& cancel)>;

}  // namespace korvel
