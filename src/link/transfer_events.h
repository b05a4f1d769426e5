#pragma once
// What a running clone transfer tells whoever shows it, one way and from
// the transfer's own thread: the status text, the progress bar's position,
// the interruption watch and its pass points. A window's adapter forwards
// them to the interface thread; the command line draws them at once.

#include <string>

namespace korvel {

// The progress bar runs from 0 to kProgressEnd in steps of 1.
inline constexpr int kProgressEnd = 264;

// The transfers of a write job (RunWriteJob), in the order they run: the
// read kept as a backup, the write, and the read that verifies it.
enum class TransferPhase { Backup, Write, Verify };

class TransferEvents {
 public:
  virtual ~TransferEvents() = default;
  virtual void StatusText(const std::string& text) = 0;
  virtual void Progress(int position) = 0;
  // While the watch is on, the dialog losing activation counts as an
  // interruption; the transfer turns it off around its own messages.
  virtual void InterruptionWatch(bool /*on*/) {}
  // One pass of the transfer's waiting loops, where a host that runs the
  // transfer on its own interface thread would handle one pending event.
  virtual void Pass() {}
  // A write job starts the transfer of this phase; its status and progress
  // events follow.
  virtual void Phase(TransferPhase /*phase*/) {}
};

}  // namespace korvel
