#include "radio_transfer.h"

#include <chrono>

#include "command_streams.h"
#include "cli_progress.h"
#include "link/clone_transfer.h"
#include "link/radio_jobs.h"
#include "link/transfer_reports.h"
#include "link/transfer_texts.h"
#include "model/atomic_file.h"
#include "model/backup_store.h"
#include "model/channel_file.h"
#include "model/image_diff.h"
#include "model/kov_document.h"
#include "model/refusal_list.h"

namespace korvel::cli {
namespace {

// One command's clone transfers as the terminal shows them.
class TerminalTransfer {
 public:
  TerminalTransfer(const RadioOptions& options, RadioSession& session, TransferDirection direction)
      : session_(session),
        prompter_(options.answers, session.in, session.out, session.interactive),
        progress_(session.out, session.showProgress),
        below_(prompter_, progress_),
        transfer_(session.port, session.clock, below_, session.cancel, progress_) {
    if (session.showProgress) {
      std::fprintf(session.out, "%s\n",
                   direction == TransferDirection::Read ? texts::kReadingCaption : texts::kWritingCaption);
    }
  }

  CloneTransfer& Transfer() { return transfer_; }
  CliProgress& Progress() { return progress_; }

  // "korvel-cli: write ended: cancelled (12 of 264 blocks)" for a transfer
  // that did not complete.
  void ReportEnd(const char* what, const TransferOutcome& outcome) {
    progress_.EndLine();
    if (outcome.result != TransferResult::Completed)
      std::fprintf(session_.out, "korvel-cli: %s ended: %s\n", what, TransferEndText(outcome).c_str());
    std::fflush(session_.out);
  }

 private:
  RadioSession& session_;
  TerminalPrompter prompter_;
  CliProgress progress_;
  PromptsBelowProgress below_;
  CloneTransfer transfer_;
};

Status KeepBackup(BackupStore& backups, const TransferOutcome& read, RadioSession& session,
                  std::string* path = nullptr) {
  std::string kept;
  const Status made = backups.Keep(*read.image, read.ident, std::chrono::system_clock::now(), &kept);
  if (made) std::fprintf(session.out, "korvel-cli: backup kept as %s\n", kept.c_str());
  if (path != nullptr) *path = kept;
  return made;
}

// What the job's end means for the user, after the transfers' own messages.
void ReportJob(const WriteJobOutcome& job, TerminalTransfer& terminal, RadioSession& session) {
  if (job.backupRead) terminal.ReportEnd("backup read", *job.backupRead);
  if (job.endedIn == TransferPhase::Backup) {
    if (!job.backupKept) std::fprintf(session.out, "korvel-cli: %s\n", job.backupKept.message.c_str());
    std::fprintf(session.out, "korvel-cli: nothing was written to the radio\n");
    return;
  }
  terminal.ReportEnd("write", job.write);
  if (LeftRadioPartlyWritten(job.write)) std::fprintf(session.out, "%s\n", PartialWriteWarning(job.write).c_str());
  if (job.verifyRead) {
    terminal.ReportEnd("verify read", *job.verifyRead);
    if (job.verifyRead->result != TransferResult::Completed)
      std::fprintf(session.out, "%s\n", VerifyFailedText(*job.verifyRead).c_str());
  }
  if (job.differences && !job.differences->Empty()) {
    std::fprintf(session.out, "korvel-cli: verify: the radio holds other data than was written (%s):\n",
                 DifferenceCount(job.differences->Count()).c_str());
    for (const std::string& line : DescribeDifferences(*job.differences))
      std::fprintf(session.out, "%s\n", line.c_str());
  }
  std::fflush(session.out);
}

}  // namespace

std::optional<MemoryImage> ImageToSend(const std::string& file, const PromptAnswers& answers, std::FILE* in,
                                       std::FILE* out, bool interactive) {
  CKovDoc document;
  if (!Report(document.OnOpenDocument(file), out)) return std::nullopt;
  if (!document.OpenNotice().empty()) {
    // Only the first 2112 bytes go to the radio: the user decides.
    TerminalPrompter terminal(answers, in, out, interactive);
    Prompt question{document.OpenNotice() + " Write its channel data to the radio?", Buttons::OkCancel};
    question.id = PromptId::LongFile;
    if (terminal.Ask(question) != Answer::Ok) return std::nullopt;
  }
  document.FillFromImage();
  document.CollectIntoImage();
  return document.Image();
}

std::string DifferenceCount(int count) {
  return CountOf(static_cast<std::size_t>(count), "difference", "differences");
}

int ReadRadio(const RadioOptions& options, RadioSession& session) {
  // The output and the backup folder are checked, and the output's
  // temporary file made, before the port is opened: a read is not thrown
  // away for a folder that does not exist.
  AtomicFile output;
  if (const Status prepared = output.Prepare(options.file); !prepared) return Fail(session.out, prepared.message);
  std::optional<BackupStore> backups;
  if (!options.backupDir.empty()) {
    backups.emplace(options.backupDir);
    if (const Status prepared = backups->Prepare(); !prepared) return Fail(session.out, prepared.message);
  }
  TerminalTransfer terminal(options, session, TransferDirection::Read);
  const TransferOutcome outcome = terminal.Transfer().Read(options.port);
  terminal.ReportEnd("read", outcome);
  if (!outcome.image) return kFailure;
  // The backup first: it is the safety net when the output cannot be saved.
  Status kept;
  std::string backup;
  if (backups) kept = KeepBackup(*backups, outcome, session, &backup);
  const Status saved = output.Commit(outcome.image->data(), outcome.image->size());
  if (!saved && backups && kept)
    return Fail(session.out, saved.message + "; the memory read is kept in the backup " + backup);
  if (!saved && backups)
    return Fail(session.out, saved.message + "; the backup could not be kept either: " + kept.message);
  if (!saved) return Fail(session.out, saved.message);
  if (!kept) return Fail(session.out, "saved " + options.file + "; the backup could not be kept: " + kept.message);
  return 0;
}

int WriteRadio(const RadioOptions& options, RadioSession& session) {
  const std::optional<MemoryImage> image =
      ImageToSend(options.file, options.answers, session.in, session.out, session.interactive);
  if (!image) return kFailure;
  WriteJobOptions job;
  job.verify = options.verify;
  job.backupBeforeWrite = options.backupBeforeWrite || !options.backupDir.empty();
  BackupStore backups(options.backupDir.empty() ? BackupStore::DefaultFolder() : options.backupDir);
  if (job.backupBeforeWrite) {
    // A folder that cannot take the backup stops the write before the radio is touched.
    if (const Status prepared = backups.Prepare(); !prepared) return Fail(session.out, prepared.message);
  }

  TerminalTransfer terminal(options, session, TransferDirection::Write);
  terminal.Progress().ShowPhases(job.backupBeforeWrite || job.verify);
  job.keepBackup = [&](const TransferOutcome& backup) {
    terminal.Progress().EndLine();
    return KeepBackup(backups, backup, session);
  };
  const WriteJobOutcome outcome = RunWriteJob(terminal.Transfer(), options.port, *image, job);
  ReportJob(outcome, terminal, session);
  return outcome.Succeeded() ? 0 : kFailure;
}

}  // namespace korvel::cli
