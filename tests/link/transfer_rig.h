#pragma once
// One clone transfer against the simulated radio in-process, on simulated
// time, with what a progress dialog would show, and checks every end shares.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/cancel_token.h"
#include "link/clone_transfer.h"
#include "link/transfer_events.h"
#include "model/settings_block.h"
#include "scripted_prompter.h"
#include "simulated_port.h"
#include "test_files.h"

namespace korvel::test {

// The PC's writes of a clone handshake: the greeting byte by byte (7),
// 'M', 0x02 and the closing 0x06.
inline constexpr std::size_t kHandshakeWrites = 10;

// What the progress dialog would show, and whether the interruption watch
// was on when the transfer asked something.
class RecordingEvents final : public TransferEvents, public Prompter {
 public:
  explicit RecordingEvents(ScriptedPrompter& prompter) : prompter_(prompter) {}
  void StatusText(const std::string& text) override { statuses.push_back(text); }
  void Progress(int p) override { position = p; }
  void InterruptionWatch(bool on) override { watch = on; }
  void Phase(TransferPhase phase) override { phases.push_back(phase); }
  // The transfer's prompter: notes the watch, then asks the scripted one.
  Answer Ask(const Prompt& prompt) override {
    promptWithWatchSet = promptWithWatchSet || watch;
    return prompter_.Ask(prompt);
  }

  std::vector<std::string> statuses;
  std::vector<TransferPhase> phases;
  int position = 0;
  bool watch = true;
  bool promptWithWatchSet = false;

 private:
  ScriptedPrompter& prompter_;
};

// The radio holds `memory` and reports `radioType` in its ident reply
// (by default its memory's byte 0x81B).
struct Rig {
  explicit Rig(const MemoryImage& memory = PatternImage(12), radiosim::RadioFaults faults = {})
      : Rig(memory, memory[settings::kRadioType], faults) {}
  Rig(const MemoryImage& memory, std::uint8_t radioType, radiosim::RadioFaults faults)
      : radio(memory, radioType, faults) {}

  radiosim::RadioProtocol radio;
  SimulatedClock clock;
  CancelToken cancel;
  SimulatedPort port{radio, clock, cancel};
  ScriptedPrompter prompter;
  RecordingEvents events{prompter};
  CloneTransfer transfer{port, clock, events, cancel, events};
  TransferOutcome outcome;

  TransferResult Run(TransferDirection direction, const MemoryImage& image = PatternImage(3)) {
    outcome = direction == TransferDirection::Read ? transfer.Read("COM3") : transfer.Write("COM3", image);
    return outcome.result;
  }
  // Greetings sent: one-byte writes of 0x02 followed by a one-byte 'P'.
  int Greetings() const {
    const std::vector<Bytes>& writes = port.Writes();
    int count = 0;
    for (std::size_t i = 0; i + 1 < writes.size(); ++i)
      count += writes[i] == Bytes{0x02} && writes[i + 1] == Bytes{'P'};
    return count;
  }
  // Block commands sent ('R' or 'W', two address bytes, length 8).
  int BlockCommands() const {
    return static_cast<int>(std::count_if(port.Writes().begin(), port.Writes().end(), [](const Bytes& w) {
      return w.size() == 4 && (w[0] == 'R' || w[0] == 'W') && w[3] == 0x08;
    }));
  }
  // What every end leaves: the port closed, no message shown while the
  // interruption watch was on, no image unless a read completed.
  void ExpectEnded() const {
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(events.promptWithWatchSet);
    if (outcome.result != TransferResult::Completed) {
      EXPECT_FALSE(outcome.image.has_value());
    }
  }
};

}  // namespace korvel::test
