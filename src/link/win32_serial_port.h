#pragma once
// SerialPort on a Windows communications device (COMn), with overlapped
// reads so that a cancel can end a wait the driver is timing.

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/serial_port.h"
#include "link/system_serial_port.h"

namespace korvel {

class Win32SerialPort final : public SerialPort {
 public:
  // Raising cancel cuts a read's wait short.
  explicit Win32SerialPort(const CancelToken& cancel);
  ~Win32SerialPort() override;
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  // Resolves name with ResolvePortDevice and opens that existing device for
  // read and write, shared with nobody (Windows refuses any other open while
  // this one holds it), for overlapped I/O. Then, in this order: the driver
  // queues, the time-outs (the driver applies them to every read and
  // write), the line (the port's state read, speed, size, parity, stop
  // bits and binary mode changed, written back), and a purge of both
  // queues. Fails, the port closed, when the device is missing, held, or
  // not a communications device (its line state cannot be read); a
  // setting the driver refuses is noted in LastError, the port stays open.
  bool Open(const std::string& name, const PortConfig& config) override;
  // Ends as SerialPort::Read says, timed by the driver, which applies the
  // time-outs to the pending read. A raised cancel aborts that read: true,
  // with the bytes the driver had delivered.
  bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) override;
  // False on an error or when the write time-outs ran out before all n
  // bytes went.
  bool Write(const std::uint8_t* data, std::size_t n) override;
  // Purges the driver's input queue.
  void DiscardInput() override;
  void Close() override;
  // "<device>: <call>: <Windows' text>", and what it means (PortFailureDetail).
  std::string LastError() const override { return lastError_; }

  bool IsOpen() const { return handle_ != nullptr; }
  // The device of the last Open, e.g. \\.\COM5.
  const std::string& DevicePath() const { return devicePath_; }

 private:
  void Fail(const char* call);
  void Fail(const char* call, unsigned long error);
  // False when the device's line state cannot be read.
  bool Configure(const PortConfig& config);

  const CancelToken& cancel_;
  void* handle_ = nullptr;  // the device's HANDLE; nullptr while closed
  void* event_ = nullptr;   // the overlapped operations' completion event
  std::string devicePath_;
  std::string lastError_;
};

}  // namespace korvel
