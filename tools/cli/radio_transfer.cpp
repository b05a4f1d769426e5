#include "radio_transfer.h"

#include "cli_commands.h"
#include "cli_progress.h"
#include "link/clone_transfer.h"
#include "link/transfer_texts.h"
#include "model/atomic_file.h"
#include "model/channel_file.h"
#include "model/kov_document.h"

namespace korvel::cli {
namespace {

TransferOutcome Run(TransferDirection direction, const RadioOptions& options, RadioSession& session,
                    const MemoryImage& image) {
  TerminalPrompter terminal(options.answers, session.in, session.out, session.interactive);
  CliProgress progress(session.out, session.showProgress);
  PromptsBelowProgress prompter(terminal, progress);
  if (session.showProgress) {
    std::fprintf(session.out, "%s\n",
                 direction == TransferDirection::Read ? texts::kReadingCaption : texts::kWritingCaption);
  }
  CloneTransfer transfer(session.port, session.clock, prompter, session.cancel, progress);
  TransferOutcome outcome = direction == TransferDirection::Read ? transfer.Read(options.port)
                                                                  : transfer.Write(options.port, image);
  progress.EndLine();
  if (outcome.result != TransferResult::Completed) {
    std::fprintf(session.out, "korvel-cli: %s ended: %s (%d of 264 blocks)\n",
                 direction == TransferDirection::Read ? "read" : "write", TransferResultName(outcome.result),
                 outcome.blocksDone);
  }
  std::fflush(session.out);
  return outcome;
}

int Fail(RadioSession& session, const Status& status) {
  std::fprintf(session.out, "korvel-cli: %s\n", status.message.c_str());
  return kFailure;
}

}  // namespace

int ReadRadio(const RadioOptions& options, RadioSession& session) {
  // The output is checked, and its temporary file made, before the port is
  // opened: a read is not thrown away for a folder that does not exist.
  AtomicFile output;
  if (const Status prepared = output.Prepare(options.file); !prepared) return Fail(session, prepared);
  const TransferOutcome outcome = Run(TransferDirection::Read, options, session, MemoryImage{});
  if (!outcome.image) return kFailure;
  if (const Status saved = output.Commit(outcome.image->data(), outcome.image->size()); !saved)
    return Fail(session, saved);
  return 0;
}

int WriteRadio(const RadioOptions& options, RadioSession& session) {
  CKovDoc document;
  if (const Status loaded = document.OnOpenDocument(options.file); !loaded) return Fail(session, loaded);
  if (!document.OpenNotice().empty()) {
    // Only the first 2112 bytes go to the radio: the user decides.
    TerminalPrompter terminal(options.answers, session.in, session.out, session.interactive);
    Prompt question{document.OpenNotice() + " Write its channel data to the radio?", Buttons::OkCancel};
    question.id = PromptId::LongFile;
    if (terminal.Ask(question) != Answer::Ok) return kFailure;
  }
  document.FillFromImage();
  document.CollectIntoImage();
  const TransferOutcome outcome = Run(TransferDirection::Write, options, session, document.Image());
  return outcome.result == TransferResult::Completed ? 0 : kFailure;
}

}  // namespace korvel::cli
