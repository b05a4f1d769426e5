// The write job against the simulated radio: what the radio holds after it,
// which transfers ran, and what the verify reports; and what a write that
// did not complete tells the user and the log.

#include "link/radio_jobs.h"
#include "link/transfer_reports.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/channel_record.h"
#include "model/settings_block.h"
#include "transfer_rig.h"

namespace korvel::test {
namespace {

using Phases = std::vector<TransferPhase>;
using Lines = std::vector<std::string>;
constexpr auto kBackup = TransferPhase::Backup;
constexpr auto kWrite = TransferPhase::Write;
constexpr auto kVerify = TransferPhase::Verify;

// What the job sends: channel 5 receiving on 146.52 MHz, whose lowest
// frequency byte is at address 0x40.
MemoryImage Sent() {
  MemoryImage image = NewImage();
  ChannelTexts texts;
  texts[kRxFrequency] = "146.52000";
  EncodeChannel(texts, ChannelRecordOf(image, 5));
  image[settings::kRadioType] = 0x3A;
  return image;
}

bool WroteABlock(const SimulatedPort& port) {
  for (const Bytes& write : port.Writes())
    if (write.size() == 4 && write[0] == 'W') return true;
  return false;
}

TEST(WriteJob, RunsItsPhasesAndStopsWhereOneFails) {
  struct Case {
    const char* name;
    WriteJobOptions options;
    radiosim::RadioFaults faults = {};
    std::uint8_t radioType = 0x3A;
    bool refuseBackup = false;
    std::optional<long long> cancelAtMs = {};
    Phases phases;
    bool written = true;    // the radio now holds what was sent
    bool succeeded = true;
    Lines differences = {};  // what the verify found, when it completed
    const char* ident = "KR-300";  // of the last transfer that got an ident reply
  };
  const Case cases[] = {
      {.name = "write alone", .options = {}, .phases = {kWrite}},
      {.name = "write verified", .options = {.verify = true}, .phases = {kWrite, kVerify}},
      {.name = "a radio that stores a byte wrongly fails the verify", .options = {.verify = true},
       .faults = {.corruptStoredByte = 0x40}, .phases = {kWrite, kVerify}, .written = false, .succeeded = false,
       .differences = {"Channel 5 Receive: 146.52000 -> 146.52001"}},
      {.name = "backup, then write; a type outside the model list", .options = {.backupBeforeWrite = true},
       .radioType = 0xFF, .phases = {kBackup, kWrite}, .ident = "KVRS-FF"},
      {.name = "a backup read that fails leaves the radio untouched", .options = {.backupBeforeWrite = true},
       .faults = {.shortReplyBlock = 100, .shortReplyLength = 3}, .phases = {kBackup}, .written = false,
       .succeeded = false},
      {.name = "a backup that cannot be kept leaves the radio untouched", .options = {.backupBeforeWrite = true},
       .refuseBackup = true, .phases = {kBackup}, .written = false, .succeeded = false},
      {.name = "a failed write is not verified", .options = {.verify = true}, .faults = {.nakWriteBlock = 7},
       .phases = {kWrite}, .written = false, .succeeded = false},
      {.name = "a cancel during the verify stops it there", .options = {.verify = true}, .cancelAtMs = 2000,
       .phases = {kWrite, kVerify}, .succeeded = false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryImage memory = PatternImage(4);
    memory[settings::kRadioType] = c.radioType;
    Rig rig(memory, c.faults);
    if (c.cancelAtMs) rig.clock.RaiseAt(*c.cancelAtMs, rig.cancel);
    WriteJobOptions options = c.options;
    std::optional<MemoryImage> keptBackup;
    options.keepBackup = [&](const TransferOutcome& backup) {
      keptBackup = backup.image;
      return c.refuseBackup ? Status::Failure(FailureKind::FileWrite, "no room") : Status::Ok();
    };

    const WriteJobOutcome job = RunWriteJob(rig.transfer, "COM3", Sent(), options);
    EXPECT_EQ(rig.events.phases, c.phases);
    EXPECT_EQ(job.Succeeded(), c.succeeded);
    if (c.written) {
      EXPECT_EQ(rig.radio.Image(), Sent());
    } else if (c.phases == Phases{kBackup}) {
      EXPECT_EQ(rig.radio.Image(), memory);
      EXPECT_FALSE(WroteABlock(rig.port));
    }
    if (c.options.backupBeforeWrite && job.backupRead->image) {
      EXPECT_EQ(keptBackup, memory) << "the backup is the radio's memory before the write";
    }
    if (job.differences) {
      EXPECT_EQ(DescribeDifferences(*job.differences), c.differences);
    }
    const TransferOutcome& last = job.verifyRead ? *job.verifyRead : job.backupRead ? *job.backupRead : job.write;
    EXPECT_EQ(last.ident, c.ident);
  }
}

// From how the write ended and the blocks the radio received.
TEST(WriteJob, APartlyWrittenRadioIsWarnedOfAndLoggedAsPartial) {
  using R = TransferResult;
  const std::string part = " and now holds part of the new memory and part of the old. Write it again before "
                           "using the radio.";
  const struct {
    R result;
    int blocks;
    std::string warning;  // empty: none
    std::string logged;
  } cases[] = {
      {R::Completed, 264, "", "completed"},
      {R::TypeMismatchCancelled, 0, "", "radio type mismatch (0 of 264 blocks)"},
      {R::WriteNotAcknowledged, 1, "The radio received 1 of 264 blocks" + part, "partial (1 of 264 blocks)"},
      {R::ConnectionLost, 263, "The radio received 263 of 264 blocks" + part, "partial (263 of 264 blocks)"},
      {R::Cancelled, 264, "The radio received all 264 blocks but did not confirm the last, so it may not hold all of "
       "the new memory. Write it again before using the radio.", "unconfirmed (264 of 264 blocks)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.logged);
    TransferOutcome write{.result = c.result, .blocksDone = c.blocks};
    EXPECT_EQ(LeftRadioPartlyWritten(write) ? PartialWriteWarning(write) : "", c.warning);
    EXPECT_EQ(WriteResultText(write), c.logged);
  }
}

}  // namespace
}  // namespace korvel::test
