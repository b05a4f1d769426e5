#pragma once
// The result of an operation that can fail: what failed and why, worded for
// the user (the file's path or the port's device, and the system's reason).

#include <string>

namespace korvel {

enum class FailureKind {
  None,
  FileOpen,    // a file could not be opened or is not a regular file
  FileRead,    // reading a file failed
  FileFormat,  // the file is not a channel data file
  FileWrite,   // writing or replacing a file failed
  PortOpen,    // the serial port is missing, held or not a terminal
  PortIo,      // a read or write on the port failed (the connection is lost)
};

struct Status {
  FailureKind kind = FailureKind::None;
  std::string message;  // empty on success

  explicit operator bool() const { return kind == FailureKind::None; }

  static Status Ok() { return {}; }
  static Status Failure(FailureKind kind, std::string message) { return {kind, std::move(message)}; }
  // "<what> <subject>: <system reason for error>".
  static Status FromError(FailureKind kind, const std::string& what, const std::string& subject, int error);
};

// The system's text for an errno value (strerror_r, safe on any thread).
std::string SystemReason(int error);

}  // namespace korvel
