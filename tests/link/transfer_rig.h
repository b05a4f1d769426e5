#pragma once
// One clone transfer wired to the test doubles (a scripted radio, or the
// simulated radio in-process), and checks every end shares.

#include <gtest/gtest.h>

#include <algorithm>

#include "link/cancel_token.h"
#include "link/clone_transfer.h"
#include "protocol_port.h"
#include "transfer_doubles.h"

namespace korvel::test {

struct Rig {
  SimulatedClock clock;
  ScriptedPort port{clock};
  ScriptedPrompter prompter;
  RecordingEvents events{prompter};
  CancelToken cancel;
  CloneTransfer transfer{port, clock, events, cancel, events};
  MemoryImage image = PatternImage(3);  // what a write sends
  TransferOutcome outcome;

  TransferResult Run(TransferDirection direction) {
    outcome = direction == TransferDirection::Read ? transfer.Read("COM3") : transfer.Write("COM3", image);
    return outcome.result;
  }
  std::vector<std::string> Prompts() const { return prompter.Texts(); }
  // Greetings sent: one-byte writes of 0x02 followed by a one-byte 'P'.
  int Greetings() const {
    int count = 0;
    for (std::size_t i = 0; i + 1 < port.writes.size(); ++i)
      count += port.writes[i] == Bytes{0x02} && port.writes[i + 1] == Bytes{'P'};
    return count;
  }
  // Writes that are block commands with the given command byte.
  int BlockCommands(std::uint8_t command) const {
    return static_cast<int>(std::count_if(port.writes.begin(), port.writes.end(), [&](const Bytes& w) {
      return w.size() == 4 && w[0] == command && w[3] == 0x08;
    }));
  }
  // What every end leaves: the port closed after one open, no message shown
  // while the interruption watch was on, no image unless a read completed.
  void ExpectEnded() const {
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.opens, 1);
    EXPECT_FALSE(events.promptWithWatchSet);
    if (outcome.result != TransferResult::Completed) EXPECT_FALSE(outcome.image.has_value());
  }
};

// The simulated radio in-process, on simulated time; it reports the type
// its memory's byte 0x81B holds.
struct RadioRig {
  explicit RadioRig(const MemoryImage& memory, radiosim::RadioFaults faults = {})
      : radio(memory, memory[0x81B], faults) {}
  radiosim::RadioProtocol radio;
  SimulatedClock clock;
  ProtocolPort port{radio, clock};
  ScriptedPrompter prompter;
  RecordingEvents events{prompter};
  CancelToken cancel;
  CloneTransfer transfer{port, clock, events, cancel, events};
};

}  // namespace korvel::test
