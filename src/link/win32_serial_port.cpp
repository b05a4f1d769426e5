#include "link/win32_serial_port.h"

#include <windows.h>

#include <memory>

#include "link/cancel_token.h"
#include "link/port_names.h"
#include "link/port_problem.h"

namespace korvel {

namespace {

enum class Outcome { Done, Cancelled, Failed };

// Waits for the overlapped operation that ReadFile or WriteFile (returning
// started) began on port and sets *transferred. The driver ends it within
// its time-outs; with a cancel event, raising it first aborts the
// operation, which then reports the bytes it had moved. Failed leaves the
// reason in GetLastError().
Outcome Finish(HANDLE port, OVERLAPPED& overlapped, BOOL started, HANDLE cancel, DWORD* transferred) {
  *transferred = 0;
  if (!started && ::GetLastError() != ERROR_IO_PENDING) return Outcome::Failed;
  bool cancelled = false;
  if (!started && cancel != nullptr) {
    const HANDLE waits[2] = {overlapped.hEvent, cancel};
    const DWORD woken = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woken == WAIT_OBJECT_0 + 1) {
      ::CancelIo(port);
      cancelled = true;
    } else if (woken != WAIT_OBJECT_0) {
      // The wait itself failed: abort the operation so that it no longer
      // writes into the caller's buffer, and tell why.
      const DWORD error = ::GetLastError();
      ::CancelIo(port);
      ::GetOverlappedResult(port, &overlapped, transferred, TRUE);
      ::SetLastError(error);
      return Outcome::Failed;
    }
  }
  // Waits for the end (of the abort too) and counts what was moved.
  if (::GetOverlappedResult(port, &overlapped, transferred, TRUE)) return cancelled ? Outcome::Cancelled : Outcome::Done;
  const DWORD error = ::GetLastError();
  if (cancelled && error == ERROR_OPERATION_ABORTED) return Outcome::Cancelled;
  // The driver ends an operation its time-outs stop with a time-out status,
  // which Windows counts a success and Wine an error: either way the end
  // the caller asked for, with the bytes so far.
  if (error == WAIT_TIMEOUT || error == ERROR_TIMEOUT) return cancelled ? Outcome::Cancelled : Outcome::Done;
  ::SetLastError(error);
  return Outcome::Failed;
}

HANDLE CancelEvent(const CancelToken& cancel) {
  return cancel.WaitHandle() == -1 ? nullptr : reinterpret_cast<HANDLE>(cancel.WaitHandle());
}

OVERLAPPED OverlappedOn(void* event) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = static_cast<HANDLE>(event);
  return overlapped;
}

}  // namespace

Win32SerialPort::Win32SerialPort(const CancelToken& cancel) : cancel_(cancel) {}

std::unique_ptr<SerialPort> MakeSystemSerialPort(const CancelToken& cancel) {
  return std::make_unique<Win32SerialPort>(cancel);
}

Win32SerialPort::~Win32SerialPort() { Close(); }

void Win32SerialPort::Fail(const char* call) { Fail(call, ::GetLastError()); }

void Win32SerialPort::Fail(const char* call, unsigned long error) {
  lastError_ = PortFailureDetail(devicePath_, call, static_cast<int>(error));
}

bool Win32SerialPort::Open(const std::string& name, const PortConfig& config) {
  Close();
  lastError_.clear();
  devicePath_ = ResolvePortDevice(name);
  const HANDLE port = ::CreateFileA(devicePath_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    Fail("CreateFileA");
    return false;
  }
  // Manual reset, as GetOverlappedResult expects of an event it waits on.
  const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (event == nullptr) {
    Fail("CreateEventW");
    ::CloseHandle(port);
    return false;
  }
  handle_ = port;
  event_ = event;
  if (!Configure(config)) {
    Close();
    return false;
  }
  return true;
}

bool Win32SerialPort::Configure(const PortConfig& config) {
  const HANDLE port = static_cast<HANDLE>(handle_);
  if (!::SetupComm(port, static_cast<DWORD>(config.inputQueueSize), static_cast<DWORD>(config.outputQueueSize)))
    Fail("SetupComm");
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = static_cast<DWORD>(config.timeouts.readIntervalMs);
  timeouts.ReadTotalTimeoutMultiplier = static_cast<DWORD>(config.timeouts.readTotalPerByteMs);
  timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(config.timeouts.readTotalConstantMs);
  timeouts.WriteTotalTimeoutMultiplier = static_cast<DWORD>(config.timeouts.writeTotalPerByteMs);
  timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(config.timeouts.writeTotalConstantMs);
  if (!::SetCommTimeouts(port, &timeouts)) Fail("SetCommTimeouts");
  DCB line{};
  line.DCBlength = sizeof line;
  // A handle whose line state cannot be read is no communications device
  // (a file, a pipe): Open gives it up.
  if (!::GetCommState(port, &line)) {
    Fail("GetCommState");
    return false;
  }
  line.BaudRate = static_cast<DWORD>(config.baudRate);
  line.ByteSize = static_cast<BYTE>(config.dataBits);
  line.Parity = config.parity ? EVENPARITY : NOPARITY;
  line.fParity = config.parity ? TRUE : FALSE;
  line.StopBits = config.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
  line.fBinary = TRUE;
  if (!::SetCommState(port, &line)) Fail("SetCommState");
  if (!::PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR)) Fail("PurgeComm");
  return true;
}

void Win32SerialPort::DiscardInput() {
  if (handle_ != nullptr) ::PurgeComm(static_cast<HANDLE>(handle_), PURGE_RXCLEAR);
}

bool Win32SerialPort::Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) {
  *received = 0;
  if (handle_ == nullptr) {
    Fail("ReadFile", ERROR_INVALID_HANDLE);
    return false;
  }
  if (n == 0 || cancel_.IsRaised()) return true;
  const HANDLE port = static_cast<HANDLE>(handle_);
  OVERLAPPED overlapped = OverlappedOn(event_);
  const BOOL started = ::ReadFile(port, buffer, static_cast<DWORD>(n), nullptr, &overlapped);
  DWORD got = 0;
  const Outcome outcome = Finish(port, overlapped, started, CancelEvent(cancel_), &got);
  *received = got;
  if (outcome != Outcome::Failed) return true;
  Fail("ReadFile");
  return false;
}

bool Win32SerialPort::Write(const std::uint8_t* data, std::size_t n) {
  if (handle_ == nullptr) {
    Fail("WriteFile", ERROR_INVALID_HANDLE);
    return false;
  }
  const HANDLE port = static_cast<HANDLE>(handle_);
  OVERLAPPED overlapped = OverlappedOn(event_);
  const BOOL started = ::WriteFile(port, data, static_cast<DWORD>(n), nullptr, &overlapped);
  // Not cut short by a cancel: the write time-outs bound it, and a command
  // half sent would leave the radio mid-frame.
  DWORD sent = 0;
  if (Finish(port, overlapped, started, nullptr, &sent) == Outcome::Failed) {
    Fail("WriteFile");
    return false;
  }
  if (sent < n) {
    Fail("WriteFile", ERROR_TIMEOUT);
    return false;
  }
  return true;
}

void Win32SerialPort::Close() {
  if (handle_ != nullptr) ::CloseHandle(static_cast<HANDLE>(handle_));
  if (event_ != nullptr) ::CloseHandle(static_cast<HANDLE>(event_));
  handle_ = nullptr;
  event_ = nullptr;
}

}  // namespace korvel
