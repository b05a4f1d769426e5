#include "fleet_log.h"

#include "model/local_time.h"
#include "model/number_text.h"

namespace korvel::cli {
namespace {

// A field quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

Status FleetLog::Open(const std::string& path, std::size_t room) {
  path_ = path;
  bool empty = false;
  if (Status opened = OpenFile(&empty); !opened) return opened;
  if (empty) {
    if (std::string reason = Write(std::string(kFleetLogHeader) + "\n"); !reason.empty()) return WriteFailure(reason);
  }
  if (std::string reason = Reserve(room); !reason.empty()) return WriteFailure(reason);
  return {};
}

Status FleetLog::Append(const FleetRecord& record) {
  const std::string seconds = FormatFixed(record.seconds, 0, 1);
  const std::string line = CsvField(IsoLocalTime(record.when)) + "," + CsvField(record.port) + "," +
                           CsvField(record.radio) + "," + CsvField(record.result) + "," + CsvField(record.verify) +
                           "," + seconds + "\n";
  std::lock_guard lock(mutex_);
  const std::string reason = Write(line);
  if (reason.empty()) return {};
  if (firstFailure_.empty()) firstFailure_ = reason;
  return WriteFailure(reason);
}

std::string FleetLog::FirstFailure() {
  std::lock_guard lock(mutex_);
  return firstFailure_;
}

Status FleetLog::WriteFailure(const std::string& reason) const {
  return Status::Failure(FailureKind::FileWrite, "Cannot write the log \"" + path_ + "\": " + reason);
}

}  // namespace korvel::cli
