#include "radio_protocol.h"

#include <algorithm>

namespace korvel::radiosim {

RadioProtocol::RadioProtocol(const MemoryImage& image, std::uint8_t typeByte, RadioFaults faults)
    : image_(image), typeByte_(typeByte), faults_(faults) {}

void RadioProtocol::Send(std::vector<std::uint8_t>& out, std::initializer_list<std::uint8_t> bytes) {
  if (!faults_.silent) out.insert(out.end(), bytes);
}

bool RadioProtocol::MidFrame() const {
  switch (state_) {
    case State::kIdle:
      return greetingMatched_ > 0;
    case State::kAwaitIdent:
      return commandLength_ > 0;
    case State::kBlockCommand:
    case State::kWriteData:
    case State::kTestCommand:
    case State::kTestRepeat:
    case State::kTestFrequency:
    case State::kTestParameters:
      return true;
    case State::kAwaitIdentAck:
    case State::kReady:
    case State::kAwaitReadAck:
      return false;
  }
  return false;
}

void RadioProtocol::LineQuiet() {
  if (!MidFrame()) return;
  state_ = State::kIdle;
  greetingMatched_ = 0;
  commandLength_ = 0;
}

void RadioProtocol::Feed(std::uint8_t byte, std::vector<std::uint8_t>& out) {
  switch (state_) {
    case State::kIdle:
      FeedIdle(byte, out);
      return;

    case State::kAwaitIdent:
      // 'M' then 0x02; commandLength_ counts the bytes of the request seen.
      if (commandLength_ == 0 && byte == frames::kIdentCommand) {
        commandLength_ = 1;
      } else if (commandLength_ == 1 && byte == frames::kIdentArgument) {
        commandLength_ = 0;
        std::size_t length = kIdentLength;
        if (faults_.identLength) length = static_cast<std::size_t>(std::clamp(*faults_.identLength, 0, 8));
        const std::array<std::uint8_t, kIdentLength> ident = {'K', 'V', 'R', 'S', typeByte_, 0x01, 0x00, 0x00};
        if (!faults_.silent) out.insert(out.end(), ident.begin(), ident.begin() + static_cast<long>(length));
        state_ = State::kAwaitIdentAck;
      } else {
        Unexpected(byte, out);
      }
      return;

    case State::kAwaitIdentAck:
      if (byte != kAck) return Unexpected(byte, out);
      if (faults_.badHandshakeAck) {
        Send(out, {kWrongAck});
        state_ = State::kIdle;
        return;
      }
      Send(out, {kAck});
      state_ = State::kReady;
      return;

    case State::kReady:
      if (byte == frames::kReadCommand || byte == frames::kWriteCommand) {
        command_[0] = byte;
        commandLength_ = 1;
        state_ = State::kBlockCommand;
      } else if (byte == frames::kTestPrefix) {
        state_ = State::kTestCommand;
      } else {
        Unexpected(byte, out);
      }
      return;

    case State::kBlockCommand:
      command_[commandLength_++] = byte;
      if (commandLength_ == command_.size()) FinishBlockCommand(out);
      return;

    case State::kWriteData:
      data_[dataLength_++] = byte;
      if (dataLength_ == data_.size()) FinishWriteBlock(out);
      return;

    case State::kAwaitReadAck:
      if (byte != kAck) return Unexpected(byte, out);
      Send(out, {faults_.badReadAckBlock == BlockIndex() ? kWrongAck : kAck});
      state_ = State::kReady;
      return;

    case State::kTestCommand:
      test_ = TestCommand{};
      test_.command = byte;
      commandLength_ = 0;
      state_ = State::kTestRepeat;
      return;

    case State::kTestRepeat:
      if (commandLength_ == 0 && byte == test_.command) {
        commandLength_ = 1;
      } else if (commandLength_ == 1 && byte == kBlockLength) {
        if (!TestAck(TestPoint::kCommand, out)) return;
        dataLength_ = 0;
        state_ = State::kTestFrequency;
      } else {
        Unexpected(byte, out);
      }
      return;

    case State::kTestFrequency:
      test_.frequencyBlock[dataLength_++] = byte;
      if (dataLength_ == kBlockLength) {
        if (!TestAck(TestPoint::kFrequency, out)) return;
        dataLength_ = 0;
        state_ = State::kTestParameters;
      }
      return;

    case State::kTestParameters:
      test_.parameterBlock[dataLength_++] = byte;
      if (dataLength_ == kBlockLength) {
        testCommands_.push_back(test_);
        if (!TestAck(TestPoint::kParameters, out)) return;
        // The exchange is over; the PC closes the port.
        state_ = State::kIdle;
        greetingMatched_ = 0;
      }
      return;
  }
}

bool RadioProtocol::TestAck(TestPoint point, std::vector<std::uint8_t>& out) {
  const bool missing = faults_.missingTestAck == point;
  const bool wrong = faults_.wrongTestAck == point;
  if (!missing && !wrong) {
    Send(out, {kTestAck});
    return true;
  }
  if (wrong) Send(out, {kWrongAck});
  // Dropped: the PC's next greeting starts afresh.
  state_ = State::kIdle;
  greetingMatched_ = 0;
  commandLength_ = 0;
  return false;
}

void RadioProtocol::FeedIdle(std::uint8_t byte, std::vector<std::uint8_t>& out) {
  if (byte == kGreeting[greetingMatched_]) {
    ++greetingMatched_;
  } else {
    greetingMatched_ = byte == kGreeting[0] ? 1 : 0;
  }
  if (greetingMatched_ < kGreeting.size()) return;

  greetingMatched_ = 0;
  ++handshakes_;
  written_.reset();
  commandLength_ = 0;
  for (int i = 0; i < faults_.strayBytes; ++i) Send(out, {kStrayByte});
  Send(out, {kAck});
  state_ = State::kAwaitIdent;
}

// A byte that does not fit the exchange ends it; the byte may be the start
// of a new greeting, as when the PC gives up and begins another attempt.
void RadioProtocol::Unexpected(std::uint8_t byte, std::vector<std::uint8_t>& out) {
  state_ = State::kIdle;
  greetingMatched_ = 0;
  commandLength_ = 0;
  FeedIdle(byte, out);
}

void RadioProtocol::FinishBlockCommand(std::vector<std::uint8_t>& out) {
  commandLength_ = 0;
  address_ = static_cast<std::size_t>(command_[1]) << 8 | command_[2];
  if (command_[3] != kBlockLength || address_ + kBlockLength > kImageSize) {
    // Outside the memory: a radio has nothing to say to it.
    state_ = State::kIdle;
    return;
  }
  if (faults_.hangUpAtBlock == BlockIndex()) {
    hungUp_ = true;
    state_ = State::kIdle;
    return;
  }
  if (command_[0] == frames::kWriteCommand) {
    dataLength_ = 0;
    state_ = State::kWriteData;
    return;
  }
  std::array<std::uint8_t, kReadReplyLength> reply{};
  std::copy_n(command_.begin(), command_.size(), reply.begin());
  std::copy_n(image_.begin() + static_cast<long>(address_), kBlockLength, reply.begin() + 4);
  std::size_t length = reply.size();
  if (faults_.shortReplyBlock == BlockIndex())
    length = static_cast<std::size_t>(std::clamp(faults_.shortReplyLength, 0, 12));
  if (!faults_.silent) out.insert(out.end(), reply.begin(), reply.begin() + static_cast<long>(length));
  state_ = State::kAwaitReadAck;
}

void RadioProtocol::FinishWriteBlock(std::vector<std::uint8_t>& out) {
  state_ = State::kReady;
  const int block = BlockIndex();
  if (faults_.nakWriteBlock == block) return;
  std::copy(data_.begin(), data_.end(), image_.begin() + static_cast<long>(address_));
  const std::optional<std::size_t> corrupt = faults_.corruptStoredByte;
  if (corrupt && *corrupt >= address_ && *corrupt < address_ + kBlockLength) image_[*corrupt] ^= 0x01;
  Send(out, {kAck});
  if (address_ % kBlockLength != 0) return;
  written_.set(static_cast<std::size_t>(block));
  if (written_.all()) {
    written_.reset();
    if (onImageWritten_) onImageWritten_(image_);
  }
}

}  // namespace korvel::radiosim
