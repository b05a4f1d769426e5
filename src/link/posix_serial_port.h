#pragma once
// SerialPort on a POSIX terminal device (termios, poll).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "link/clock.h"
#include "link/serial_port.h"
#include "link/system_serial_port.h"

namespace korvel {

class PosixSerialPort final : public SerialPort {
 public:
  // Time-outs are measured against clock.Now(); poll() waits in real time,
  // so the clock must be real (SystemClock) for the port to work as meant.
  // Raising cancel cuts a read's wait short.
  explicit PosixSerialPort(const CancelToken& cancel, Clock& clock = SystemClock::Instance());
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  // Resolves name with ResolvePortDevice and opens that existing device,
  // non-blocking, without becoming its controlling terminal, and takes it
  // exclusively: an flock (which holds against every process, root
  // included) and TIOCEXCL. Fails, leaving the port closed, when the device
  // is missing, is not a terminal or is held by anyone else. Then sets a raw
  // binary line: the given speed, size, parity and stop bits, receiver on,
  // modem control lines ignored, no input or output processing and no
  // software flow control (XON/XOFF would swallow data bytes 0x11 and 0x13);
  // hardware flow control is left as the device reports it. A line the
  // device refuses is noted in LastError; the port stays open.
  bool Open(const std::string& name, const PortConfig& config) override;
  // Returns after n bytes, after a gap longer than the read interval once a
  // byte has arrived, or after n x per-byte + constant milliseconds in all.
  // A hang-up of the other side (end of file, EIO, POLLHUP/POLLERR) is an
  // error (false), with *received telling the bytes that came before it.
  bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) override;
  // Writes all n bytes within n x per-byte + constant milliseconds; false on
  // an error or when the time runs out. Does not wait for the line to drain.
  bool Write(const std::uint8_t* data, std::size_t n) override;
  void DiscardInput() override;
  void Close() override;
  // The last failure as PortFailureDetail tells it ("<device>: <call>:
  // <reason>" and what it means); empty when none.
  std::string LastError() const override { return lastError_; }

  bool IsOpen() const { return fd_ >= 0; }
  // The device path of the last Open.
  const std::string& DevicePath() const { return devicePath_; }

 private:
  void Fail(const char* what);
  void Fail(const char* what, int error);
  void ConfigureLine(const PortConfig& config);

  const CancelToken& cancel_;
  Clock& clock_;
  int fd_ = -1;
  SerialTimeouts timeouts_ = kCloneTimeouts;
  std::string devicePath_;
  std::string lastError_;
};

}  // namespace korvel
