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
using Texts = std::vector<std::string>;

TEST(CloneHandshake, AckAsFirstOrSecondByteIsAcceptedOtherwiseTheAttemptFails) {
  const struct {
    const char* name;
    std::vector<Reply> before;  // replies to the greeting before the handshake script
    int attempts;
  } cases[] = {
      {"ack first", {}, 1},
      {"stray byte, then ack", {Data({0x55})}, 1},
      {"silence, then ack", {Silence()}, 1},
      {"two stray bytes", {Data({0x55}), Data({0x56})}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.port.script.assign(c.before.begin(), c.before.end());
    ScriptHandshake(rig.port);
    ScriptReadBlocks(rig.port, PatternImage(1), 0, frames::kBlockCount);
    EXPECT_EQ(rig.Run(Dir::Read), TransferResult::Completed);
    EXPECT_EQ(rig.outcome.attempts, c.attempts);
    EXPECT_EQ(rig.Greetings(), c.attempts);
    EXPECT_TRUE(rig.Prompts().empty());
  }
}

TEST(CloneHandshake, SilentRadioGivesTheCommunicationErrorAfter15Attempts) {
  Rig rig;
  EXPECT_EQ(rig.Run(Dir::Read), TransferResult::CommunicationErrorCancelled);
  rig.ExpectEnded();
  EXPECT_EQ(rig.Greetings(), 15);
  EXPECT_EQ(rig.port.writes.size(), 15u * 7) << "each greeting byte by its own write";
  EXPECT_EQ(rig.Prompts(), Texts{texts::kCommunicationError});
  EXPECT_EQ(rig.prompter.asked[0].buttons, Buttons::RetryCancel);
  ASSERT_EQ(rig.events.statuses.size(), 16u);
  EXPECT_EQ(rig.events.statuses.front(), texts::kDetectingPort);
  EXPECT_EQ(rig.events.statuses.back(), texts::kWaitingResponse);
  // Each attempt: 7 pauses of 1 ms, 7 greeting pauses, two 590 ms reads, 2 ms.
  EXPECT_EQ(rig.clock.ElapsedMs(), 15 * (7 + 7 + 2 * 590 + 2));
}

TEST(CloneHandshake, RetryStartsAgainAtAttemptOneOnThePortStillOpen) {
  Rig rig;
  for (int i = 0; i < 30; ++i) rig.port.script.push_back(Silence());
  ScriptHandshake(rig.port);
  const MemoryImage radio = PatternImage(90);
  ScriptReadBlocks(rig.port, radio, 0, frames::kBlockCount);
  rig.prompter.answers = {Answer::Retry};
  EXPECT_EQ(rig.Run(Dir::Read), TransferResult::Completed);
  rig.ExpectEnded();
  EXPECT_EQ(rig.outcome.attempts, 16);
  EXPECT_EQ(rig.outcome.image, radio);
}

TEST(CloneHandshake, AcceptedMismatchIsNotAskedAgainInThatTransferButInTheNext) {
  Rig rig;
  rig.image[settings::kRadioType] = 0x11;
  ScriptHandshake(rig.port, 0x22);        // mismatch: OK
  ScriptHandshake(rig.port, 0x22);        // restarted handshake, not asked
  rig.port.script.back() = Data({0x15});  // acknowledgement answered otherwise
  ScriptHandshake(rig.port, 0x22);        // after Retry, not asked
  ScriptWriteAcks(rig.port, frames::kBlockCount);
  rig.prompter.answers = {Answer::Ok, Answer::Retry};
  EXPECT_EQ(rig.Run(Dir::Write), TransferResult::Completed);
  rig.ExpectEnded();
  EXPECT_EQ(rig.Prompts(), (Texts{texts::kTypeMismatch, texts::kCommunicationError}));
  EXPECT_EQ(rig.Greetings(), 3);

  // The next transfer is armed again; Cancel ends it before any block.
  Rig next;
  next.image[settings::kRadioType] = 0x11;
  ScriptHandshake(next.port, 0x22);
  EXPECT_EQ(next.Run(Dir::Write), TransferResult::TypeMismatchCancelled);
  next.ExpectEnded();
  EXPECT_EQ(next.Prompts(), Texts{texts::kTypeMismatch});
  EXPECT_EQ(next.prompter.asked[0].id, PromptId::TypeMismatch);
  EXPECT_EQ(next.BlockCommands('W'), 0);
}

TEST(CloneHandshake, ModelCheckOnlyOnWritesAndNeverAgainstAnFFReply) {
  const struct {
    Dir direction;
    std::uint8_t imageType, radioType;
    bool asked;
  } cases[] = {{Dir::Write, 0xFF, 0x22, true},
               {Dir::Write, 0x11, 0xFF, false},
               {Dir::Write, 0x22, 0x22, false},
               {Dir::Read, 0x11, 0x22, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.imageType) + " " + std::to_string(c.radioType));
    Rig rig;
    rig.image[settings::kRadioType] = c.imageType;
    ScriptHandshake(rig.port, c.radioType);
    rig.Run(c.direction);
    const Texts prompts = rig.Prompts();
    EXPECT_EQ(!prompts.empty() && prompts[0] == texts::kTypeMismatch, c.asked);
  }
}

TEST(CloneHandshake, IdentReplyWithoutTypeByteIsACommunicationErrorOnlyWhenChecked) {
  const struct {
    Dir direction;
    Bytes ident;
    bool failed;
  } cases[] = {{Dir::Write, {1, 2, 3, 4}, true},
               {Dir::Read, {1, 2, 3, 4}, false},
               {Dir::Write, {1, 2, 3, 4, 0x33}, false}};  // five bytes carry the type byte
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ident.size());
    Rig rig;
    rig.image[settings::kRadioType] = 0x33;
    rig.port.script = {Data({frames::kAck}), Data(c.ident), Data({frames::kAck})};
    rig.Run(c.direction);
    const Texts prompts = rig.Prompts();
    EXPECT_EQ(!prompts.empty() && prompts[0] == texts::kCommunicationError, c.failed);
    EXPECT_EQ(rig.BlockCommands(c.direction == Dir::Write ? 'W' : 'R'), c.failed ? 0 : 1);
  }
}

// A radio that answers the acknowledgement otherwise gets the protocol's
// message after its wait; a port that fails at any step of the handshake
// ends the transfer as a lost connection, with the port's reason.
TEST(CloneHandshake, HandshakeStepsThatFailEndWithTheirMessage) {
  const Bytes ident = {1, 2, 3, 4, 5, 6, 7, 8};
  const struct {
    const char* name;
    std::vector<Reply> script;
    TransferResult result;
    std::string message;
    std::size_t writes;   // the PC's writes before the message
    long long elapsedMs;  // simulated time until the message
  } cases[] = {
      // 7 opening pauses, 7 greeting pauses, the ack (1 ms), 2 ident pauses,
      // the ident (8 ms), the answer (1 ms), then 601 pauses of 1 ms.
      {"acknowledgement answered by another byte", {Data({frames::kAck}), Data(ident), Data({0x07})},
       TransferResult::CommunicationErrorCancelled, texts::kCommunicationError, 10, 7 + 7 + 1 + 2 + 8 + 1 + 601},
      // A port error ends at once (after the read's 30 ms interval here).
      {"port error on the greeting's answer", {PortError()}, TransferResult::ConnectionLost, texts::kConnectionLost,
       7, 7 + 7 + 30},
      {"port error on the ident", {Data({frames::kAck}), PortError()}, TransferResult::ConnectionLost,
       texts::kConnectionLost, 9, 7 + 7 + 1 + 2 + 30},
      {"port error on the acknowledgement", {Data({frames::kAck}), Data(ident), PortError()},
       TransferResult::ConnectionLost, texts::kConnectionLost, 10, 7 + 7 + 1 + 2 + 8 + 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.port.script.assign(c.script.begin(), c.script.end());
    EXPECT_EQ(rig.Run(Dir::Read), c.result);
    rig.ExpectEnded();
    EXPECT_EQ(rig.Prompts(), Texts{c.message});
    EXPECT_EQ(rig.port.writes.size(), c.writes);
    EXPECT_EQ(rig.clock.ElapsedMs(), c.elapsedMs);
    if (c.result == TransferResult::ConnectionLost) {
      EXPECT_EQ(rig.prompter.asked[0].detail, "COM3: read: Input/output error");
      EXPECT_EQ(rig.outcome.attempts, 1);
    }
  }
}

TEST(CloneHandshake, UnsentAcknowledgementIsOfferedAgainUntilSentOrCancelled) {
  Rig rig;
  ScriptHandshake(rig.port);
  rig.port.failingWrites = {9, 10};  // the handshake's 0x06, twice
  rig.prompter.answers = {Answer::Retry, Answer::Retry};
  rig.Run(Dir::Read);
  const Texts prompts = rig.Prompts();
  ASSERT_GE(prompts.size(), 2u);
  EXPECT_EQ(prompts[0], texts::kSendOrderError);
  EXPECT_EQ(prompts[1], texts::kSendOrderError);
  EXPECT_EQ(rig.port.writes[11], Bytes{frames::kAck});
  EXPECT_EQ(rig.BlockCommands('R'), 1);

  Rig cancelled;
  ScriptHandshake(cancelled.port);
  cancelled.port.failingWrites = {9};
  EXPECT_EQ(cancelled.Run(Dir::Read), TransferResult::CommunicationErrorCancelled);
  cancelled.ExpectEnded();
  EXPECT_EQ(cancelled.port.writes.size(), 10u);
}

TEST(CloneHandshake, PortThatWontOpenIsReportedWithItsReason) {
  Rig rig;
  rig.port.openSucceeds = false;
  EXPECT_EQ(rig.Run(Dir::Write), TransferResult::PortNotOpened);
  EXPECT_EQ(rig.port.openedName, "COM3");
  EXPECT_EQ(rig.Prompts(), Texts{texts::kPortNotOpened});
  EXPECT_EQ(rig.prompter.asked[0].detail, "COM3: open: Device or resource busy");
  EXPECT_EQ(rig.outcome.detail, "COM3: open: Device or resource busy");
  EXPECT_TRUE(rig.port.writes.empty());
  EXPECT_FALSE(rig.events.promptWithWatchSet);
}

}  // namespace
}  // namespace korvel::test
