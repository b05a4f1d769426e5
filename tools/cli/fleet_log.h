#pragma once
// The log of a fleet write: a CSV file with one line per radio,
//   Time,Port,Radio,Result,Verify,Duration (s)
// The file is opened (created with its header when missing or empty), and
// room for the lines to come taken on the disk, before any radio is
// touched; each line goes in with one appending write, so the file never
// holds half a line and earlier runs' lines stay.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "model/status.h"

namespace korvel::cli {

inline constexpr const char* kFleetLogHeader = "Time,Port,Radio,Result,Verify,Duration (s)";

struct FleetRecord {
  std::chrono::system_clock::time_point when;  // written as ISO 8601 local time
  std::string port;
  std::string radio;    // the radio's ident
  std::string result;   // how the write ended: "completed", "cancelled (131 of 264 blocks)" ...
  std::string verify;   // "match", "N differences", "not run" or "failed: ..."
  double seconds = 0;
};

class FleetLog {
 public:
  FleetLog() = default;
  ~FleetLog();
  FleetLog(const FleetLog&) = delete;
  FleetLog& operator=(const FleetLog&) = delete;

  // Only a regular file (or a link to one) is taken, refused at once
  // otherwise. `room` bytes are reserved after its end and synced, so a
  // disk without room for the lines stops the command here; a file system
  // that cannot reserve has only the header (when new) written.
  Status Open(const std::string& path, std::size_t room);
  // Safe from any thread.
  Status Append(const FleetRecord& record);
  // The system's reason the first line that could not go in failed; empty
  // while every line did.
  std::string FirstFailure();

 private:
  // The system's part (fleet_log_posix.cpp, fleet_log_windows.cpp): opens
  // path_ for appending, refusing anything but a regular file; *empty when
  // it has no bytes yet.
  Status OpenFile(bool* empty);
  // Takes `room` bytes on the disk after the end and syncs: "" or the
  // system's reason it could not.
  std::string Reserve(std::size_t room);
  // Appends the line whole or not at all: "" or the system's reason.
  std::string Write(const std::string& line);
  Status WriteFailure(const std::string& reason) const;

  std::mutex mutex_;
  std::string path_;
  std::string firstFailure_;
  // A descriptor, or a Windows handle; -1 (Windows' invalid handle too)
  // when none is open.
  std::intptr_t file_ = -1;
};

}  // namespace korvel::cli
