#include "link/radio_jobs.h"

namespace korvel {

bool WriteJobOutcome::Succeeded() const {
  if (endedIn == TransferPhase::Backup || write.result != TransferResult::Completed) return false;
  if (!verifyRead) return true;
  return verifyRead->result == TransferResult::Completed && differences && differences->Empty();
}

namespace {

WriteJobOutcome RunPhases(CloneTransfer& transfer, const std::string& portName, const MemoryImage& image,
                          const WriteJobOptions& options) {
  WriteJobOutcome job;
  TransferEvents& events = transfer.Events();
  if (options.backupBeforeWrite) {
    job.endedIn = TransferPhase::Backup;
    events.Phase(TransferPhase::Backup);
    job.backupRead = transfer.Read(portName);
    if (job.backupRead->result != TransferResult::Completed) return job;
    if (options.keepBackup) {
      job.backupKept = options.keepBackup(*job.backupRead);
      if (!job.backupKept) return job;
    }
  }

  job.endedIn = TransferPhase::Write;
  events.Phase(TransferPhase::Write);
  job.write = transfer.Write(portName, image);
  if (job.write.result != TransferResult::Completed || !options.verify) return job;

  job.endedIn = TransferPhase::Verify;
  events.Phase(TransferPhase::Verify);
  job.verifyRead = transfer.Read(portName);
  if (job.verifyRead->image) job.differences = CompareImages(image, *job.verifyRead->image);
  return job;
}

}  // namespace

WriteJobOutcome RunWriteJob(CloneTransfer& transfer, const std::string& portName, const MemoryImage& image,
                            const WriteJobOptions& options) {
  Clock& clock = transfer.TransferClock();
  const Clock::TimePoint start = clock.Now();
  WriteJobOutcome job = RunPhases(transfer, portName, image, options);
  job.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now() - start);
  return job;
}

const char* TransferPhaseText(TransferPhase phase) {
  switch (phase) {
    case TransferPhase::Backup: return "Reading backup…";
    case TransferPhase::Write: return "Writing…";
    case TransferPhase::Verify: return "Verifying…";
  }
  return "";
}

}  // namespace korvel
