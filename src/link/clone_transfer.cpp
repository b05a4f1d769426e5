#include "link/clone_transfer.h"

#include <algorithm>
#include <array>

#include "link/handshake.h"
#include "link/link_channel.h"
#include "link/port_names.h"
#include "link/port_problem.h"
#include "link/radio_frames.h"
#include "link/transfer_reports.h"
#include "link/transfer_texts.h"
#include "model/settings_block.h"

namespace korvel {
namespace {

constexpr int kMaxAttempts = 15;
constexpr int kAttemptPasses = 7;
constexpr int kMismatchPasses = 351;
constexpr int kBadAckPasses = 601;
constexpr int kWriteBlockPasses = 201;
constexpr int kReadBlockPasses = 199;
// Status text and bar step stop here; the end sets the bar full.
constexpr int kLastSteppedPosition = 261;

// The state of one transfer, from preparation to its end.
class CloneRun {
 public:
  CloneRun(SerialPort& port, Clock& clock, Prompter& prompter, const CancelToken& cancel, TransferEvents& events,
           TransferDirection direction)
      : link_(port, clock, cancel),
        clock_(clock),
        handshake_(link_, kCloneHandshake),
        prompter_(prompter),
        events_(events),
        direction_(direction) {}

  TransferOutcome Run(const std::string& portName, MemoryImage image);

 private:
  enum class Step { Complete, Restart, Failed, Ended };

  // The handshake; true once complete, false at an end (outcome_ set).
  bool RunHandshake();
  // From the ident request to the radio's last acknowledgement.
  Step IdentAndAcknowledge();
  void WriteBlocks();
  void ReadBlocks();
  // The radio's 0x06 after a block. Ended: cancelled, or the port failed,
  // and the transfer has ended accordingly.
  enum class BlockAck { Received, Missing, Ended };
  BlockAck AwaitBlockAck();
  // passes x (pass, cancel check, sleep 1 ms); false when cancelled.
  bool WaitPasses(int passes, int sleepMs = 1);
  void ProgressStep();
  // Shows a message with the interruption watch off.
  Answer Ask(const char* text, Buttons buttons, PromptId id, std::string detail = {});
  // Closes the port and records the end.
  void End(TransferResult result);
  void EndCancelled() { End(TransferResult::Cancelled); }
  // The port itself failed (a hang-up, an I/O error): the user is told so,
  // with the port's reason, instead of a protocol message.
  void EndConnectionLost();
  // Milliseconds on the transfer's clock since the attempts began.
  long long AttemptsMs();

  LinkChannel link_;
  Clock& clock_;
  std::string device_;
  Clock::TimePoint attemptsStart_{};
  Handshake handshake_;
  Prompter& prompter_;
  TransferEvents& events_;
  TransferDirection direction_;
  MemoryImage image_{};
  bool modelCheckArmed_ = true;
  int position_ = 0;
  TransferOutcome outcome_;
};

TransferOutcome CloneRun::Run(const std::string& portName, MemoryImage image) {
  const Clock::TimePoint start = clock_.Now();
  image_ = image;
  device_ = ResolvePortDevice(portName);
  if (!link_.Open(portName, kCloneTimeouts)) {
    outcome_.detail = link_.LastError();
    Ask(texts::kPortNotOpened, Buttons::Ok, PromptId::PortNotOpened, outcome_.detail);
    outcome_.result = TransferResult::PortNotOpened;
  } else {
    events_.StatusText(texts::kDetectingPort);
    if (RunHandshake()) {
      if (direction_ == TransferDirection::Write) {
        WriteBlocks();
      } else {
        ReadBlocks();
      }
    }
  }
  outcome_.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(clock_.Now() - start);
  return outcome_;
}

bool CloneRun::RunHandshake() {
  int attempt = 1;
  attemptsStart_ = clock_.Now();
  for (;;) {
    if (!WaitPasses(kAttemptPasses)) return false;
    ++outcome_.attempts;
    events_.StatusText(texts::kWaitingResponse);
    // What came since the last attempt is no answer to this one. Nothing
    // written is still pending by then: every attempt ends waiting on a read
    // or a pause far longer than its last byte takes on the line.
    link_.Port().DiscardInput();
    const StepEnd greeted = handshake_.Greet();
    if (greeted == StepEnd::Cancelled) return EndCancelled(), false;
    // The port itself failed (a pulled cable): no radio could answer.
    if (greeted == StepEnd::Failed) return EndConnectionLost(), false;
    std::string detail;
    if (greeted != StepEnd::Done) {
      if (!link_.Pause(2)) return EndCancelled(), false;
      if (++attempt <= kMaxAttempts) continue;
      detail = NoAnswerDetail(device_, kMaxAttempts, AttemptsMs());
    } else {
      switch (IdentAndAcknowledge()) {
        case Step::Complete: return true;
        case Step::Ended: return false;
        case Step::Restart: attempt = 1; attemptsStart_ = clock_.Now(); continue;
        case Step::Failed: break;
      }
      detail = NoAnswerDetail(device_, attempt, AttemptsMs(), "no proper answer");
    }

    // Communication error: the port stays open and the model check as it is.
    if (Ask(texts::kCommunicationError, Buttons::RetryCancel, PromptId::CommunicationError, detail) !=
        Answer::Retry) {
      End(TransferResult::CommunicationErrorCancelled);
      return false;
    }
    events_.InterruptionWatch(true);
    attempt = 1;
    attemptsStart_ = clock_.Now();
  }
}

CloneRun::Step CloneRun::IdentAndAcknowledge() {
  IdentReply ident;
  switch (handshake_.RequestIdent(&ident)) {
    case StepEnd::Cancelled: return EndCancelled(), Step::Ended;
    case StepEnd::Failed: return EndConnectionLost(), Step::Ended;
    default: break;
  }
  if (ident.received > 0) outcome_.ident = RadioIdentText(ident);
  if (ident.received > frames::kIdentTypeIndex) outcome_.radioType = ident.bytes[frames::kIdentTypeIndex];

  if (direction_ == TransferDirection::Write && modelCheckArmed_) {
    // Without its type byte the reply can't be checked; comparing whatever
    // a buffer held before would let a wrong radio through.
    if (ident.received <= frames::kIdentTypeIndex) return Step::Failed;
    const std::uint8_t type = ident.bytes[frames::kIdentTypeIndex];
    if (type != frames::kAnyRadioType && type != image_[settings::kRadioType]) {
      if (Ask(texts::kTypeMismatch, Buttons::OkCancel, PromptId::TypeMismatch,
              TypeMismatchDetail(type, image_[settings::kRadioType])) != Answer::Ok) {
        End(TransferResult::TypeMismatchCancelled);
        return Step::Ended;
      }
      modelCheckArmed_ = false;
      events_.InterruptionWatch(true);
      return WaitPasses(kMismatchPasses) ? Step::Restart : Step::Ended;
    }
  }

  // Offered again until it goes out, or the user gives up.
  while (!handshake_.SendAck()) {
    if (link_.Cancelled()) return EndCancelled(), Step::Ended;
    if (Ask(texts::kSendOrderError, Buttons::RetryCancel, PromptId::SendOrderError, link_.LastError()) !=
        Answer::Retry) {
      End(TransferResult::CommunicationErrorCancelled);
      return Step::Ended;
    }
    events_.InterruptionWatch(true);
  }

  switch (handshake_.AwaitAck()) {
    case StepEnd::Done: return Step::Complete;
    case StepEnd::Cancelled: return EndCancelled(), Step::Ended;
    case StepEnd::Failed: return EndConnectionLost(), Step::Ended;
    case StepEnd::NoAnswer: break;
  }
  events_.InterruptionWatch(true);
  return WaitPasses(kBadAckPasses) ? Step::Failed : Step::Ended;
}

void CloneRun::WriteBlocks() {
  TransferResult result = TransferResult::Completed;
  for (int n = 0; n < frames::kBlockCount; ++n) {
    const std::size_t address = static_cast<std::size_t>(n) * frames::kBlockSize;
    const auto command = frames::BlockCommand(frames::kWriteCommand, n);
    if (!link_.Send(command.data(), command.size())) return EndConnectionLost();
    // The block's data follow its command even when a cancel cuts the pause
    // short: the radio never gets half a frame, and the cancel ends the
    // transfer at the acknowledgement's wait.
    link_.Pause(1);
    if (!link_.Send(image_.data() + address, frames::kBlockSize)) return EndConnectionLost();
    // The radio has the block now, whatever becomes of its acknowledgement.
    outcome_.blocksDone = n + 1;
    const BlockAck ack = AwaitBlockAck();
    if (ack == BlockAck::Ended) return;
    if (ack == BlockAck::Missing) {
      Ask(texts::kProgramInterrupt, Buttons::Ok, PromptId::Message);
      result = TransferResult::WriteNotAcknowledged;
      break;
    }
    ProgressStep();
    events_.InterruptionWatch(true);
    if (!WaitPasses(kWriteBlockPasses, 0) || !link_.Pause(1)) {
      // Once the last block is acknowledged the radio holds the whole
      // image: a cancel then comes too late to leave it part written.
      if (n + 1 < frames::kBlockCount) return EndCancelled();
    }
  }
  link_.Close();
  events_.Progress(kProgressEnd);
  events_.InterruptionWatch(false);
  outcome_.result = result;
}

void CloneRun::ReadBlocks() {
  MemoryImage read{};
  for (int n = 0; n < frames::kBlockCount; ++n) {
    const std::size_t address = static_cast<std::size_t>(n) * frames::kBlockSize;
    const auto command = frames::BlockCommand(frames::kReadCommand, n);
    if (!link_.Send(command.data(), command.size())) return EndConnectionLost();

    // Only a whole reply is stored: a shorter one would leave bytes of the
    // previous reply in the block.
    std::array<std::uint8_t, frames::kReadReplySize> reply{};
    std::size_t got = 0;
    const ReadEnd end = link_.Receive(reply.data(), reply.size(), &got);
    if (end == ReadEnd::Cancelled) return EndCancelled();
    if (end == ReadEnd::Failed) return EndConnectionLost();
    if (got < frames::kReadReplySize) {
      Ask(texts::kShortReply, Buttons::Ok, PromptId::Message);
      return End(TransferResult::ShortReply);
    }
    link_.Port().DiscardInput();
    std::copy_n(reply.begin() + frames::kReadReplyDataOffset, frames::kBlockSize, read.begin() + address);
    ProgressStep();
    if (!link_.Pause(15)) return EndCancelled();
    if (!link_.Send(frames::kAck)) return EndConnectionLost();
    const BlockAck ack = AwaitBlockAck();
    if (ack == BlockAck::Ended) return;
    if (ack == BlockAck::Missing) {
      Ask(texts::kReadAckFailed, Buttons::Ok, PromptId::Message);
      return End(TransferResult::ReadAckFailed);
    }
    outcome_.blocksDone = n + 1;
    events_.InterruptionWatch(true);
    if (!WaitPasses(kReadBlockPasses, 0) || !link_.Pause(5)) return EndCancelled();
  }
  link_.Close();
  events_.InterruptionWatch(false);
  events_.Progress(kProgressEnd);
  outcome_.image = read;
  outcome_.result = TransferResult::Completed;
}

CloneRun::BlockAck CloneRun::AwaitBlockAck() {
  bool acknowledged = false;
  switch (link_.ReceiveExactly(frames::kAck, &acknowledged)) {
    case ReadEnd::Cancelled: EndCancelled(); return BlockAck::Ended;
    case ReadEnd::Failed: EndConnectionLost(); return BlockAck::Ended;
    case ReadEnd::Done: break;
  }
  return acknowledged ? BlockAck::Received : BlockAck::Missing;
}

bool CloneRun::WaitPasses(int passes, int sleepMs) {
  for (int i = 0; i < passes; ++i) {
    events_.Pass();
    if (link_.Cancelled()) {
      EndCancelled();
      return false;
    }
    if (sleepMs > 0 && !link_.Pause(sleepMs)) {
      EndCancelled();
      return false;
    }
  }
  return true;
}

void CloneRun::ProgressStep() {
  if (position_ > kLastSteppedPosition) return;
  ++position_;
  events_.Progress(position_);
  events_.StatusText(std::to_string(position_));
}

Answer CloneRun::Ask(const char* text, Buttons buttons, PromptId id, std::string detail) {
  // The transfer's own message boxes must not count as an interruption.
  events_.InterruptionWatch(false);
  Prompt prompt{text, buttons};
  prompt.id = id;
  prompt.detail = std::move(detail);
  return prompter_.Ask(prompt);
}

void CloneRun::End(TransferResult result) {
  link_.Close();
  outcome_.result = result;
}

long long CloneRun::AttemptsMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(clock_.Now() - attemptsStart_).count();
}

void CloneRun::EndConnectionLost() {
  outcome_.detail = link_.LastError();
  link_.Close();
  Ask(texts::kConnectionLost, Buttons::Ok, PromptId::ConnectionLost, outcome_.detail);
  outcome_.result = TransferResult::ConnectionLost;
}

}  // namespace

const char* TransferResultName(TransferResult result) {
  switch (result) {
    case TransferResult::Completed: return "completed";
    case TransferResult::PortNotOpened: return "port not opened";
    case TransferResult::Cancelled: return "cancelled";
    case TransferResult::CommunicationErrorCancelled: return "communication error";
    case TransferResult::TypeMismatchCancelled: return "radio type mismatch";
    case TransferResult::WriteNotAcknowledged: return "write not acknowledged";
    case TransferResult::ShortReply: return "short reply";
    case TransferResult::ReadAckFailed: return "read acknowledgement failed";
    case TransferResult::ConnectionLost: return "connection lost";
  }
  return "unknown";
}

CloneTransfer::CloneTransfer(SerialPort& port, Clock& clock, Prompter& prompter, const CancelToken& cancel,
                             TransferEvents& events)
    : port_(port), clock_(clock), prompter_(prompter), cancel_(cancel), events_(events) {}

TransferOutcome CloneTransfer::Read(const std::string& portName) {
  return Run(TransferDirection::Read, portName, MemoryImage{});
}

TransferOutcome CloneTransfer::Write(const std::string& portName, MemoryImage image) {
  return Run(TransferDirection::Write, portName, image);
}

TransferOutcome CloneTransfer::Run(TransferDirection direction, const std::string& portName, MemoryImage image) {
  CloneRun run(port_, clock_, prompter_, cancel_, events_, direction);
  return run.Run(portName, image);
}

}  // namespace korvel
