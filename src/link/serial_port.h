#pragma once
// The serial port as the clone transfer and the test exchange use it.

#include <cstddef>
#include <cstdint>
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

inline constexpr std::size_t kInputQueueSize = 1024;
inline constexpr std::size_t kOutputQueueSize = 512;

// The line settings every exchange uses; every other setting is left as the
// port reports it.
struct LineSettings {
  int baudRate = 9600;
  int dataBits = 8;
  bool parity = false;
  int stopBits = 1;
  bool binary = true;
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Opens the named port for exclusive read and write; false when it is
  // missing or held by another program.
  virtual bool Open(const std::string& name) = 0;
  virtual void SetQueueSizes(std::size_t input, std::size_t output) = 0;
  virtual void SetTimeouts(const SerialTimeouts& timeouts) = 0;
  // Reads the line state, changes the fields given, writes it back.
  virtual void ConfigureLine(const LineSettings& line) = 0;
  // Aborts pending reads and writes and discards both queues.
  virtual void PurgeAll() = 0;
  // Discards the contents of the input and the output queue.
  virtual void ClearQueues() = 0;
  // Reads up to n bytes within the time-outs. False only when the port
  // reports an error (a hang-up included); *received is set either way. A
  // raised cancel token ends the wait early: true, with the bytes so far.
  virtual bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) = 0;
  virtual bool Write(const std::uint8_t* data, std::size_t n) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // The token whose raising cuts reads short; nullptr for none.
  virtual void SetCancelToken(const CancelToken* cancel) = 0;
  // The device and the system's reason of the last failure ("" when none).
  virtual std::string LastError() const = 0;
};

}  // namespace korvel
