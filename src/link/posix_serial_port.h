#pragma once
// SerialPort on a POSIX terminal device (termios, poll).

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/clock.h"
#include "link/serial_port.h"

namespace korvel {

class PosixSerialPort final : public SerialPort {
 public:
  // Time-outs are measured against clock.Now(); poll() waits in real time,
  // so the clock must be real (SystemClock) for the port to work as meant.
  explicit PosixSerialPort(Clock& clock = SystemClock::Instance());
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  // Resolves name with ResolvePortDevice and opens that existing device,
  // non-blocking, without becoming its controlling terminal, and takes it
  // exclusively: an flock (which holds against every process, root
  // included) and TIOCEXCL. Fails, leaving the port closed, when the device
  // is missing, is not a terminal or is held by anyone else.
  bool Open(const std::string& name) override;
  // Remembered only: POSIX has no call to size the driver's queues.
  void SetQueueSizes(std::size_t input, std::size_t output) override;
  void SetTimeouts(const SerialTimeouts& timeouts) override;
  // Raw binary line: the given speed, size, parity and stop bits, receiver
  // on, modem control lines ignored, no input or output processing and no
  // software flow control (XON/XOFF would swallow data bytes 0x11 and 0x13);
  // hardware flow control is left as the device reports it.
  void ConfigureLine(const LineSettings& line) override;
  // Discards input and output (nothing written before it is still needed).
  void PurgeAll() override;
  // Discards the input only; bytes written before it still go out.
  void ClearQueues() override;
  // Returns after n bytes, after a gap longer than the read interval once a
  // byte has arrived, or after n x per-byte + constant milliseconds in all.
  // A hang-up of the other side (end of file, EIO, POLLHUP/POLLERR) is an
  // error (false), with *received telling the bytes that came before it.
  bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) override;
  // Writes all n bytes within n x per-byte + constant milliseconds; false on
  // an error or when the time runs out. Does not wait for the line to drain.
  bool Write(const std::uint8_t* data, std::size_t n) override;
  void Close() override;
  bool IsOpen() const override { return fd_ >= 0; }
  void SetCancelToken(const CancelToken* cancel) override { cancel_ = cancel; }
  // "<device>: <call>: <reason>" of the last failure; empty when none.
  std::string LastError() const override { return lastError_; }

  // The device path of the last Open.
  const std::string& DevicePath() const { return devicePath_; }
  std::size_t InputQueueSize() const { return inputQueueSize_; }
  std::size_t OutputQueueSize() const { return outputQueueSize_; }

 private:
  void Fail(const char* what);

  Clock& clock_;
  const CancelToken* cancel_ = nullptr;
  int fd_ = -1;
  SerialTimeouts timeouts_ = kCloneTimeouts;
  std::size_t inputQueueSize_ = kInputQueueSize;
  std::size_t outputQueueSize_ = kOutputQueueSize;
  std::string devicePath_;
  std::string lastError_;
};

}  // namespace korvel
