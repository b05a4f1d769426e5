#include "link/clone_transfer.h"

#include <algorithm>
#include <array>

#include "link/clone_frames.h"
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
  }
  return "unknown";
}

CloneTransfer::CloneTransfer(SerialPort& port, Clock& clock, TransferHost& host)
    : port_(port), clock_(clock), host_(host) {}

TransferResult CloneTransfer::Run(TransferDirection direction, const std::string& portName, MemoryImage& image,
                                  bool& modelCheckArmed) {
  blocksDone_ = 0;
  blocksStored_ = 0;
  attemptsMade_ = 0;

  modelCheckArmed = true;
  if (direction == TransferDirection::Write) host_.CollectGrid(image);

  if (!port_.Open(portName)) {
    Ask(texts::kPortNotOpened, Buttons::Ok);
    host_.CloseDialog();
    return TransferResult::PortNotOpened;
  }
  port_.SetQueueSizes(kInputQueueSize, kOutputQueueSize);
  port_.SetTimeouts(kCloneTimeouts);
  port_.ConfigureLine(LineSettings{});

  host_.SetStatusText(texts::kDetectingPort);
  if (const auto end = RunHandshake(direction, image, modelCheckArmed)) return *end;
  return direction == TransferDirection::Write ? WriteBlocks(image) : ReadBlocks(image);
}

std::optional<TransferResult> CloneTransfer::RunHandshake(TransferDirection direction, const MemoryImage& image,
                                                          bool& modelCheckArmed) {
  int attempt = 1;
  for (;;) {
    for (int i = 0; i < kAttemptPasses; ++i) {
      host_.PumpPass();
      if (host_.CancelRequested()) return EndCancelled();
      clock_.SleepMs(1);
    }
    ++attemptsMade_;
    host_.SetStatusText(texts::kWaitingResponse);
    port_.PurgeAll();
    for (const std::uint8_t byte : clone::kGreeting) {
      clock_.SleepMs(1);
      port_.ClearQueues();
      SendByte(byte);
    }
    // The acknowledgement may come as the first or the second byte; a read
    // error on the first gives up the attempt at once.
    std::uint8_t byte = 0;
    std::size_t got = 0;
    bool greeted = false;
    if (port_.Read(&byte, 1, &got)) greeted = (got == 1 && byte == clone::kAck) || ReadAck();
    if (!greeted) {
      clock_.SleepMs(2);
      if (++attempt <= kMaxAttempts) continue;
    } else {
      switch (IdentAndAcknowledge(direction, image, modelCheckArmed)) {
        case Step::Complete: return std::nullopt;
        case Step::Ended: return endResult_;
        case Step::Restart: attempt = 1; continue;
        case Step::Failed: break;
      }
    }

    // Communication error: the port stays open and the model check as it is.
    if (Ask(texts::kCommunicationError, Buttons::RetryCancel) != Answer::Retry) {
      return EndClosing(TransferResult::CommunicationErrorCancelled);
    }
    host_.SetInterruptionWatch(true);
    attempt = 1;
  }
}

CloneTransfer::Step CloneTransfer::IdentAndAcknowledge(TransferDirection direction, const MemoryImage& image,
                                                       bool& modelCheckArmed) {
  clock_.SleepMs(1);
  port_.ClearQueues();
  SendByte(clone::kIdentCommand);
  clock_.SleepMs(1);
  port_.ClearQueues();
  SendByte(clone::kIdentArgument);

  std::array<std::uint8_t, clone::kIdentReplySize> ident{};
  std::size_t got = 0;
  if (!port_.Read(ident.data(), ident.size(), &got)) return Step::Failed;

  if (direction == TransferDirection::Write && modelCheckArmed) {
    // Without its type byte the reply can't be checked; comparing whatever
    // the buffer held before would let a wrong radio through.
    if (got <= clone::kIdentTypeIndex) return Step::Failed;
    const std::uint8_t type = ident[clone::kIdentTypeIndex];
    if (type != clone::kAnyRadioType && type != image[settings::kRadioType]) {
      if (Ask(texts::kTypeMismatch, Buttons::OkCancel) != Answer::Ok) {
        endResult_ = EndClosing(TransferResult::TypeMismatchCancelled);
        return Step::Ended;
      }
      modelCheckArmed = false;
      host_.SetInterruptionWatch(true);
      return WaitPasses(kMismatchPasses) ? Step::Restart : Step::Ended;
    }
  }

  // Offered again until it goes out, or the user gives up.
  for (;;) {
    port_.ClearQueues();
    if (SendByte(clone::kAck)) break;
    if (Ask(texts::kSendOrderError, Buttons::RetryCancel) != Answer::Retry) {
      endResult_ = EndClosing(TransferResult::CommunicationErrorCancelled);
      return Step::Ended;
    }
    host_.SetInterruptionWatch(true);
  }

  std::uint8_t byte = 0;
  if (!port_.Read(&byte, 1, &got)) return Step::Failed;
  if (got == 1 && byte == clone::kAck) return Step::Complete;
  host_.SetInterruptionWatch(true);
  return WaitPasses(kBadAckPasses) ? Step::Failed : Step::Ended;
}

TransferResult CloneTransfer::WriteBlocks(const MemoryImage& image) {
  TransferResult result = TransferResult::Completed;
  for (int n = 0; n < clone::kBlockCount; ++n) {
    const std::size_t address = static_cast<std::size_t>(n) * clone::kBlockSize;
    port_.ClearQueues();
    const auto command = clone::BlockCommand(clone::kWriteCommand, n);
    port_.Write(command.data(), command.size());
    clock_.SleepMs(1);
    port_.ClearQueues();
    port_.Write(image.data() + address, clone::kBlockSize);
    if (!ReadAck()) {
      Ask(texts::kProgramInterrupt, Buttons::Ok);
      result = TransferResult::WriteNotAcknowledged;
      break;
    }
    blocksDone_ = n + 1;
    ProgressStep();
    host_.SetInterruptionWatch(true);
    for (int i = 0; i < kWriteBlockPasses; ++i) {
      if (host_.CancelRequested()) return EndCancelled();
      host_.PumpPass();
    }
    clock_.SleepMs(1);
  }
  port_.Close();
  host_.SetProgressPosition(kProgressEnd);
  host_.SetInterruptionWatch(false);
  host_.CloseDialog();
  return result;
}

TransferResult CloneTransfer::ReadBlocks(MemoryImage& image) {
  for (int n = 0; n < clone::kBlockCount; ++n) {
    const std::size_t address = static_cast<std::size_t>(n) * clone::kBlockSize;
    port_.ClearQueues();
    const auto command = clone::BlockCommand(clone::kReadCommand, n);
    port_.Write(command.data(), command.size());

    // Only a whole reply is stored: a shorter one would leave bytes of the
    // previous reply in the block.
    std::array<std::uint8_t, clone::kReadReplySize> reply{};
    std::size_t got = 0;
    port_.Read(reply.data(), reply.size(), &got);
    if (got < clone::kReadReplySize) {
      Ask(texts::kShortReply, Buttons::Ok);
      return EndClosing(TransferResult::ShortReply);
    }
    port_.ClearQueues();
    std::copy_n(reply.begin() + clone::kReadReplyDataOffset, clone::kBlockSize, image.begin() + address);
    blocksStored_ = n + 1;
    ProgressStep();
    clock_.SleepMs(15);
    port_.ClearQueues();
    SendByte(clone::kAck);
    if (!ReadAck()) {
      Ask(texts::kReadAckFailed, Buttons::Ok);
      return EndClosing(TransferResult::ReadAckFailed);
    }
    blocksDone_ = n + 1;
    host_.SetInterruptionWatch(true);
    for (int i = 0; i < kReadBlockPasses; ++i) {
      host_.PumpPass();
      if (host_.CancelRequested()) return EndCancelled();
    }
    clock_.SleepMs(5);
  }
  port_.Close();
  host_.SetInterruptionWatch(false);
  host_.SetProgressPosition(kProgressEnd);
  host_.CloseDialog();
  host_.FillGrid(image);
  return TransferResult::Completed;
}

bool CloneTransfer::WaitPasses(int passes) {
  for (int i = 0; i < passes; ++i) {
    host_.PumpPass();
    if (host_.CancelRequested()) {
      endResult_ = EndCancelled();
      return false;
    }
    clock_.SleepMs(1);
  }
  return true;
}

void CloneTransfer::ProgressStep() {
  if (host_.ProgressPosition() > kLastSteppedPosition) return;
  host_.StepProgress();
  host_.SetStatusText(std::to_string(host_.ProgressPosition()));
}

bool CloneTransfer::ReadAck() {
  std::uint8_t byte = 0;
  std::size_t got = 0;
  return port_.Read(&byte, 1, &got) && got == 1 && byte == clone::kAck;
}

bool CloneTransfer::SendByte(std::uint8_t byte) { return port_.Write(&byte, 1); }

Answer CloneTransfer::Ask(const char* text, Buttons buttons) {
  // The transfer's own message boxes must not count as an interruption.
  host_.SetInterruptionWatch(false);
  return host_.Prompts().Ask(Prompt{text, buttons});
}

TransferResult CloneTransfer::EndCancelled() { return EndClosing(TransferResult::Cancelled); }

TransferResult CloneTransfer::EndClosing(TransferResult result) {
  port_.Close();
  host_.CloseDialog();
  return result;
}

}  // namespace korvel
