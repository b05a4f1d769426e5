#pragma once
// The log of a fleet write: a CSV file with one line per radio,
//   Time,Port,Radio,Result,Verify,Duration (s)
// The file is opened (created with its header when missing or empty) before
// any radio is touched, and each line goes in with one appending write, so
// the file never holds half a line and earlier runs' lines stay.

#include <chrono>
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

  Status Open(const std::string& path);
  // Safe from any thread.
  Status Append(const FleetRecord& record);

 private:
  Status Write(const std::string& line);

  std::mutex mutex_;
  std::string path_;
  int fd_ = -1;
};

}  // namespace korvel::cli
