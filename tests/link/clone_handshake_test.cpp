// The handshake of the clone transfer: attempts, the model check, the
// acknowledgements and the messages that end or repeat them.

#include <gtest/gtest.h>

#include "link/radio_frames.h"
#include "link/transfer_texts.h"
#include "model/settings_block.h"
#include "transfer_rig.h"

namespace korvel::test {
namespace {

using Dir = TransferDirection;

TEST(CloneHandshake, AckAsFirstOrSecondByteIsAcceptedTwoStrayBytesFailTheAttempt) {
  for (const Reply& first : {Data({0x55}), Silence()}) {
    Rig rig;
    rig.port.script = {first};
    ScriptHandshake(rig.port);
    rig.Run(Dir::Read);
    EXPECT_EQ(rig.transfer.AttemptsMade(), 1);
    EXPECT_EQ(rig.BlockCommands('R'), 1);  // reached the first block
  }
  Rig rig;
  rig.port.script = {Data({0x55}), Data({0x56})};
  ScriptHandshake(rig.port);
  rig.Run(Dir::Read);
  EXPECT_EQ(rig.transfer.AttemptsMade(), 2);
  EXPECT_EQ(rig.Greetings(), 2);
  EXPECT_EQ(rig.Count("sleep 2"), 1);
  EXPECT_EQ(rig.BlockCommands('R'), 1);
}

TEST(CloneHandshake, ReadErrorOnTheFirstByteFailsTheAttemptWithoutSecondRead) {
  Rig rig;
  rig.port.script = {PortError(), Data({frames::kAck})};
  rig.Run(Dir::Read);
  // The second scripted ack belongs to attempt 2, so the ident read gets silence.
  EXPECT_EQ(rig.transfer.AttemptsMade(), 2);
  EXPECT_EQ(rig.port.writes[7 + 7], Bytes{frames::kIdentCommand});
}

TEST(CloneHandshake, SilentRadioGivesTheCommunicationErrorAfter15Attempts) {
  Rig rig;
  rig.host.answers = {Answer::Cancel};
  EXPECT_EQ(rig.Run(Dir::Read), TransferResult::CommunicationErrorCancelled);
  rig.ExpectEnded();
  EXPECT_EQ(rig.Greetings(), 15);
  EXPECT_EQ(rig.port.writes.size(), 15u * 7);
  EXPECT_EQ(rig.Count("read 1"), 30);
  EXPECT_EQ(rig.host.prompts, std::vector<std::string>{texts::kCommunicationError});
  ASSERT_EQ(rig.host.statuses.size(), 16u);
  EXPECT_EQ(rig.host.statuses.front(), texts::kDetectingPort);
  EXPECT_EQ(rig.host.statuses.back(), texts::kWaitingResponse);
  // Each attempt: 7 x (pass, sleep 1), 7 x sleep 1, two 590 ms reads, sleep 2.
  EXPECT_EQ(rig.clock.elapsedMs, 15 * (7 + 7 + 2 * 590 + 2));
  EXPECT_EQ(rig.host.passes, 15 * 7);
}

TEST(CloneHandshake, RetryStartsAgainAtAttemptOneOnThePortStillOpen) {
  Rig rig;
  for (int i = 0; i < 30; ++i) rig.port.script.push_back(Silence());
  ScriptHandshake(rig.port);
  const MemoryImage radio = PatternImage(90);
  ScriptReadBlocks(rig.port, radio, 0, frames::kBlockCount);
  rig.host.answers = {Answer::Retry};
  EXPECT_EQ(rig.Run(Dir::Read), TransferResult::Completed);
  rig.ExpectEnded();
  EXPECT_EQ(rig.transfer.AttemptsMade(), 16);
  EXPECT_EQ(rig.image, radio);
}

TEST(CloneHandshake, AcceptedMismatchIsNotAskedAgainInThatTransferButInTheNext) {
  Rig rig;
  rig.host.collectedMarker = 0x11;  // radio type byte of the collected image
  ScriptHandshake(rig.port, 0x22);  // mismatch: OK
  ScriptHandshake(rig.port, 0x22);  // restarted handshake, not asked
  rig.port.script.back() = Data({0x15});  // acknowledgement answered otherwise
  ScriptHandshake(rig.port, 0x22);  // after Retry, not asked
  for (int n = 0; n < frames::kBlockCount; ++n) rig.port.script.push_back(Data({frames::kAck}));
  rig.host.answers = {Answer::Ok, Answer::Retry};
  EXPECT_EQ(rig.Run(Dir::Write), TransferResult::Completed);
  rig.ExpectEnded();
  EXPECT_EQ(rig.host.prompts, (std::vector<std::string>{texts::kTypeMismatch, texts::kCommunicationError}));
  EXPECT_FALSE(rig.armed);
  EXPECT_EQ(rig.Greetings(), 3);
  EXPECT_EQ(rig.host.passes, 3 * 7 + 351 + 601 + frames::kBlockCount * 201);

  // The next transfer is armed again; Cancel ends it before any block.
  rig.host.prompts.clear();
  rig.port.writes.clear();
  ScriptHandshake(rig.port, 0x22);
  rig.host.answers = {Answer::Cancel};
  EXPECT_EQ(rig.Run(Dir::Write), TransferResult::TypeMismatchCancelled);
  EXPECT_TRUE(rig.armed);
  EXPECT_EQ(rig.host.prompts, std::vector<std::string>{texts::kTypeMismatch});
  EXPECT_EQ(rig.BlockCommands('W'), 0);
  EXPECT_FALSE(rig.port.IsOpen());
}

TEST(CloneHandshake, ModelCheckOnlyOnWritesAndNeverAgainstAnFFReply) {
  struct Case {
    Dir direction;
    std::uint8_t imageType, radioType;
    bool asked;
  };
  for (const Case c : {Case{Dir::Write, 0xFF, 0x22, true}, Case{Dir::Write, 0x11, 0xFF, false},
                       Case{Dir::Write, 0x22, 0x22, false}, Case{Dir::Read, 0x11, 0x22, false}}) {
    Rig rig;
    rig.host.collectedMarker = c.imageType;
    rig.image[settings::kRadioType] = c.imageType;
    ScriptHandshake(rig.port, c.radioType);
    rig.Run(c.direction);
    EXPECT_EQ(!rig.host.prompts.empty() && rig.host.prompts[0] == texts::kTypeMismatch, c.asked)
        << int(c.imageType) << " " << int(c.radioType);
  }
}

TEST(CloneHandshake, IdentReplyWithoutTypeByteIsACommunicationErrorOnlyWhenChecked) {
  for (const Dir direction : {Dir::Write, Dir::Read}) {
    Rig rig;
    rig.port.script = {Data({frames::kAck}), Data({1, 2, 3, 4}), Data({frames::kAck})};
    rig.Run(direction);
    const bool checked = direction == Dir::Write;
    EXPECT_EQ(!rig.host.prompts.empty() && rig.host.prompts[0] == texts::kCommunicationError, checked);
    EXPECT_EQ(rig.BlockCommands(direction == Dir::Write ? 'W' : 'R'), checked ? 0 : 1);
  }
  // A five-byte reply carries the type byte and is checked.
  Rig rig;
  rig.host.collectedMarker = 0x33;
  rig.port.script = {Data({frames::kAck}), Data({1, 2, 3, 4, 0x33}), Data({frames::kAck})};
  rig.Run(Dir::Write);
  EXPECT_EQ(rig.BlockCommands('W'), 1);
}

TEST(CloneHandshake, FailedAcknowledgementStepsGiveTheCommunicationError) {
  // Ident read error: no acknowledgement is sent.
  Rig identError;
  identError.port.script = {Data({frames::kAck}), PortError()};
  EXPECT_EQ(identError.Run(Dir::Read), TransferResult::CommunicationErrorCancelled);
  EXPECT_EQ(identError.port.writes.size(), 9u);
  EXPECT_EQ(identError.host.passes, 7);

  // Acknowledgement answered by another byte: 601 x (pass, sleep 1) first.
  Rig otherByte;
  ScriptHandshake(otherByte.port);
  otherByte.port.script.back() = Data({0x07});
  EXPECT_EQ(otherByte.Run(Dir::Read), TransferResult::CommunicationErrorCancelled);
  otherByte.ExpectEnded();
  EXPECT_EQ(otherByte.host.passes, 7 + 601);
  EXPECT_EQ(otherByte.Count("sleep 1"), 7 + 7 + 2 + 601);

  // Acknowledgement read error: straight to the message.
  Rig ackError;
  ScriptHandshake(ackError.port);
  ackError.port.script.back() = PortError();
  EXPECT_EQ(ackError.Run(Dir::Read), TransferResult::CommunicationErrorCancelled);
  EXPECT_EQ(ackError.host.passes, 7);
}

TEST(CloneHandshake, UnsentAcknowledgementIsOfferedAgainUntilSentOrCancelled) {
  Rig rig;
  ScriptHandshake(rig.port);
  rig.port.failingWrites = {9, 10};  // the handshake's 0x06, twice
  rig.host.answers = {Answer::Retry, Answer::Retry};
  rig.Run(Dir::Read);
  ASSERT_GE(rig.host.prompts.size(), 2u);
  EXPECT_EQ(rig.host.prompts[0], texts::kSendOrderError);
  EXPECT_EQ(rig.host.prompts[1], texts::kSendOrderError);
  EXPECT_EQ(rig.port.writes[11], Bytes{frames::kAck});
  EXPECT_EQ(rig.BlockCommands('R'), 1);

  Rig cancelled;
  ScriptHandshake(cancelled.port);
  cancelled.port.failingWrites = {9};
  cancelled.host.answers = {Answer::Cancel};
  EXPECT_EQ(cancelled.Run(Dir::Read), TransferResult::CommunicationErrorCancelled);
  cancelled.ExpectEnded();
  EXPECT_EQ(cancelled.port.writes.size(), 10u);
}

TEST(CloneHandshake, PortThatWontOpenEndsAfterTheCollection) {
  Rig rig;
  rig.port.openSucceeds = false;
  EXPECT_EQ(rig.Run(Dir::Write), TransferResult::PortNotOpened);
  EXPECT_EQ(rig.port.openedName, "COM3");
  EXPECT_EQ(rig.host.prompts, std::vector<std::string>{texts::kPortNotOpened});
  EXPECT_EQ(rig.host.dialogCloses, 1);
  EXPECT_TRUE(rig.port.writes.empty());
  EXPECT_EQ(rig.image[0], rig.host.collectedMarker);
  EXPECT_FALSE(rig.host.promptWithWatchSet);
}

}  // namespace
}  // namespace korvel::test
