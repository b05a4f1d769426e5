#include "link/transfer_reports.h"

#include <cstdio>

#include "link/radio_frames.h"
#include "model/number_text.h"
#include "model/settings_block.h"

namespace korvel {
namespace {

std::string Blocks(int done) { return std::to_string(done) + " of " + std::to_string(frames::kBlockCount) + " blocks"; }

// " in 10.4 s", with a point whatever the user's locale.
std::string Took(std::chrono::milliseconds elapsed) {
  return " in " + FormatFixed(static_cast<double>(elapsed.count()) / 1000.0, 0, 1) + " s";
}

}  // namespace

std::string RadioTypeText(std::uint8_t type) {
  char code[16];
  std::snprintf(code, sizeof code, "(type 0x%02X)", type);
  if (const std::string_view model = settings::ModelTextOf(type); !model.empty())
    return std::string(model) + " " + code;
  return (type == frames::kAnyRadioType ? "no model " : "an unknown model ") + std::string(code);
}

std::string TypeMismatchDetail(std::uint8_t radioType, std::uint8_t fileType) {
  return "The radio reports " + RadioTypeText(radioType) + "; this file is set to " + RadioTypeText(fileType) + ".";
}

std::string TransferEndText(const TransferOutcome& outcome) {
  if (outcome.result == TransferResult::Completed) return TransferResultName(outcome.result);
  return std::string(TransferResultName(outcome.result)) + " (" + Blocks(outcome.blocksDone) + ")";
}

bool LeftRadioPartlyWritten(const TransferOutcome& write) {
  return write.result != TransferResult::Completed && write.blocksDone > 0;
}

std::string PartialWriteWarning(const TransferOutcome& write) {
  // Every block went out, but the last was not acknowledged (or the wait
  // for it was cancelled): whether the radio took it is not known.
  if (write.blocksDone >= frames::kBlockCount)
    return "The radio received all " + std::to_string(frames::kBlockCount) +
           " blocks but did not confirm the last, so it may not hold all of the new memory. Write it again "
           "before using the radio.";
  return "The radio received " + Blocks(write.blocksDone) +
         " and now holds part of the new memory and part of the old. Write it again before using the radio.";
}

std::string WriteResultText(const TransferOutcome& write) {
  if (!LeftRadioPartlyWritten(write)) return TransferEndText(write);
  return (write.blocksDone >= frames::kBlockCount ? "unconfirmed (" : "partial (") + Blocks(write.blocksDone) + ")";
}

std::string VerifyFailedText(const TransferOutcome& verifyRead) {
  if (verifyRead.result == TransferResult::Cancelled) {
    return "The radio was written completely; only the check read after it was cancelled, so what the radio "
           "holds was not compared with what was sent.";
  }
  std::string reason = TransferResultName(verifyRead.result);
  if (!verifyRead.detail.empty()) reason += ": " + verifyRead.detail;
  return "The radio was written completely; only the check read after it failed (" + reason + ").";
}

std::string ReadDoneText(const TransferOutcome& read, const std::string& device) {
  const std::string_view model = read.radioType ? settings::ModelTextOf(*read.radioType) : std::string_view();
  return "Read " + (model.empty() ? std::string("the radio") : std::string(model)) + " on " + device + Took(read.elapsed);
}

std::string WriteDoneText(const WriteJobOutcome& job, const std::string& device) {
  return std::string(job.verifyRead ? "Written and verified on " : "Written on ") + device + Took(job.elapsed);
}

}  // namespace korvel
