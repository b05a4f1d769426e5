#pragma once
// A write to the radio with its safeguards: a read of the radio's memory
// kept as a backup before anything is written, and a read after the write
// that checks the radio holds what was sent. Each is a clone transfer of
// its own on the same CloneTransfer (the port is opened and closed for
// each), so it runs on any thread, its events and questions go where the
// transfer's go, and its cancel token stops the job at the phase it is in.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "link/clone_transfer.h"
#include "link/transfer_events.h"
#include "model/image_diff.h"
#include "model/memory_image.h"
#include "model/status.h"

namespace korvel {

struct WriteJobOptions {
  bool verify = false;
  bool backupBeforeWrite = false;
  // Called with the complete backup read, before anything is written; a
  // failure stops the job there, the radio untouched. Unset: the backup is
  // only returned.
  std::function<Status(const TransferOutcome& backup)> keepBackup = {};
};

struct WriteJobOutcome {
  std::optional<TransferOutcome> backupRead;   // the read before the write, when asked for
  Status backupKept;                           // what keepBackup returned, when it was called
  TransferOutcome write;                       // left as constructed when the job ended in Backup
  std::optional<TransferOutcome> verifyRead;   // the read after a complete write, when asked for
  std::optional<ImageDifferences> differences; // sent vs read back, when the verify read completed
  TransferPhase endedIn = TransferPhase::Backup;  // the phase the job ended in
  std::chrono::milliseconds elapsed{0};           // the whole job, on the transfer's clock

  // The write completed and (no verify, or the verify read completed with
  // no differences).
  bool Succeeded() const;
};

// Backup (when asked for), write, verify (when asked for), each phase
// announced through the transfer's events (Phase). A cancel or a failure at any phase stops
// the job there: a backup read that does not complete, or that keepBackup
// refuses, means nothing is written. The verify compares the whole image
// as sent with the whole image read back: the transfer writes and reads
// every one of the 264 blocks, and the radio stores every byte it is sent,
// so any difference is one the radio made.
WriteJobOutcome RunWriteJob(CloneTransfer& transfer, const std::string& portName, const MemoryImage& image,
                            const WriteJobOptions& options);

// The phase as a progress display names it: "Reading backup…", "Writing…",
// "Verifying…".
const char* TransferPhaseText(TransferPhase phase);

}  // namespace korvel
