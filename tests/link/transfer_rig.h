#pragma once
// One clone transfer wired to the test doubles, and checks every end shares.

#include <gtest/gtest.h>

#include <algorithm>

#include "link/clone_transfer.h"
#include "transfer_doubles.h"

namespace korvel::test {

struct Rig {
  EventLog log;
  FakeClock clock{log};
  ScriptedPort port{clock, log};
  RecordingHost host{log};
  CloneTransfer transfer{port, clock, host};
  MemoryImage image = PatternImage(3);
  bool armed = false;

  TransferResult Run(TransferDirection direction) { return transfer.Run(direction, "COM3", image, armed); }
  long Count(const std::string& event) const { return std::count(log.begin(), log.end(), event); }
  // Greetings sent: one-byte writes of 0x02 followed by a one-byte 'P'.
  int Greetings() const {
    int count = 0;
    for (std::size_t i = 0; i + 1 < port.writes.size(); ++i)
      count += port.writes[i] == Bytes{0x02} && port.writes[i + 1] == Bytes{'P'};
    return count;
  }
  // Writes that start with the given block command byte.
  int BlockCommands(std::uint8_t command) const {
    return static_cast<int>(std::count_if(port.writes.begin(), port.writes.end(), [&](const Bytes& w) {
      return w.size() == 4 && w[0] == command && w[3] == 0x08;
    }));
  }
  // What every end leaves: the port closed, the dialog closed once, no
  // message shown while the interruption watch was set.
  void ExpectEnded() const {
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(host.dialogCloses, 1);
    EXPECT_FALSE(host.promptWithWatchSet);
  }
};

}  // namespace korvel::test
