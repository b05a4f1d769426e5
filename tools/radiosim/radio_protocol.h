#pragma once
// The radio's side of the clone protocol (and of the test commands that
// follow the same handshake), as a state machine fed one byte at a time.
// It knows nothing of time or ports: the caller delivers the PC's bytes and
// sends whatever the machine answers.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "link/radio_frames.h"
#include "model/memory_image.h"
#include "radio_faults.h"

namespace korvel::radiosim {

// The frames are the program's own (link/radio_frames.h): both ends of the
// simulated line speak from one definition.
inline constexpr std::uint8_t kAck = frames::kAck;
inline constexpr std::uint8_t kTestAck = frames::kTestAck;
inline constexpr auto kGreeting = frames::kGreeting;
inline constexpr std::size_t kBlockLength = frames::kBlockSize;
inline constexpr int kBlockCount = frames::kBlockCount;
inline constexpr std::size_t kIdentLength = frames::kIdentReplySize;
inline constexpr std::size_t kIdentTypeIndex = frames::kIdentTypeIndex;
inline constexpr std::size_t kReadReplyLength = frames::kReadReplySize;
// What the faults send where a sound radio sends something else.
inline constexpr std::uint8_t kStrayByte = 0x55;
inline constexpr std::uint8_t kWrongAck = 0x15;

// One complete test command as the radio received it.
struct TestCommand {
  std::uint8_t command = 0;
  std::array<std::uint8_t, 8> frequencyBlock{};
  std::array<std::uint8_t, 8> parameterBlock{};
};

class RadioProtocol {
 public:
  enum class State {
    kIdle,             // matching the greeting
    kAwaitIdent,       // greeting acknowledged; 'M' 0x02 expected
    kAwaitIdentAck,    // ident sent; the PC's 0x06 expected
    kReady,            // handshake done; 'R', 'W' or 'x' expected
    kBlockCommand,     // collecting the rest of an 'R' or 'W' command
    kWriteData,        // collecting the 8 data bytes of a write block
    kAwaitReadAck,     // read reply sent; the PC's 0x06 expected
    kTestCommand,      // 'x' received; the test command byte expected
    kTestRepeat,       // the command byte again, then 0x08
    kTestFrequency,    // the 8-byte frequency block
    kTestParameters,   // the 8-byte parameter block
  };

  RadioProtocol(const MemoryImage& image, std::uint8_t typeByte, RadioFaults faults = {});

  // Takes one byte from the PC; appends the radio's answer (if any) to out.
  void Feed(std::uint8_t byte, std::vector<std::uint8_t>& out);
  // The line has been quiet for a while: a frame left half-received is
  // dropped, as a radio drops it when the PC gives up mid-frame.
  void LineQuiet();

  State CurrentState() const { return state_; }
  bool MidFrame() const;
  const MemoryImage& Image() const { return image_; }
  const RadioFaults& Faults() const { return faults_; }
  // Called each time all 264 blocks have been written since the handshake.
  void SetOnImageWritten(std::function<void(const MemoryImage&)> callback) {
    onImageWritten_ = std::move(callback);
  }
  // The test commands whose three parts all arrived, oldest first.
  const std::vector<TestCommand>& TestCommands() const { return testCommands_; }
  int Handshakes() const { return handshakes_; }
  // The hang-up fault has struck: the line is gone.
  bool HungUp() const { return hungUp_; }

 private:
  void Send(std::vector<std::uint8_t>& out, std::initializer_list<std::uint8_t> bytes);
  void FeedIdle(std::uint8_t byte, std::vector<std::uint8_t>& out);
  void Unexpected(std::uint8_t byte, std::vector<std::uint8_t>& out);
  void FinishBlockCommand(std::vector<std::uint8_t>& out);
  void FinishWriteBlock(std::vector<std::uint8_t>& out);
  // Answers one point of a test command; false when a fault drops it there.
  bool TestAck(TestPoint point, std::vector<std::uint8_t>& out);
  int BlockIndex() const { return static_cast<int>(address_ / kBlockLength); }

  MemoryImage image_;
  std::uint8_t typeByte_;
  RadioFaults faults_;
  State state_ = State::kIdle;
  std::size_t greetingMatched_ = 0;
  std::array<std::uint8_t, 4> command_{};  // 'R'/'W', high, low, length
  std::size_t commandLength_ = 0;
  std::size_t address_ = 0;
  std::array<std::uint8_t, kBlockLength> data_{};
  std::size_t dataLength_ = 0;
  std::bitset<kBlockCount> written_;
  TestCommand test_{};
  std::vector<TestCommand> testCommands_;
  int handshakes_ = 0;
  bool hungUp_ = false;
  std::function<void(const MemoryImage&)> onImageWritten_;
};

}  // namespace korvel::radiosim
