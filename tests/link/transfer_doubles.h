#pragma once
// Test doubles for the clone transfer: a port that plays a scripted radio on
// simulated time, and the events a progress dialog would show.

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "link/serial_port.h"
#include "link/transfer_events.h"
#include "model/memory_image.h"
#include "scripted_prompter.h"
#include "simulated_clock.h"
#include "test_files.h"

namespace korvel::test {

using Bytes = std::vector<std::uint8_t>;

// One answer of the radio to one Read call.
struct Reply {
  enum Kind { Data, Silence, Error } kind = Silence;
  Bytes bytes;
};
Reply Data(Bytes bytes);
Reply Silence();
Reply PortError();

class ScriptedPort final : public SerialPort {
 public:
  explicit ScriptedPort(SimulatedClock& clock) : clock_(clock) {}
  bool Open(const std::string& name) override;
  void SetQueueSizes(std::size_t, std::size_t) override {}
  void SetTimeouts(const SerialTimeouts& timeouts) override { timeouts_ = timeouts; }
  void ConfigureLine(const LineSettings&) override {}
  void PurgeAll() override {}
  void ClearQueues() override {}
  // Takes the next scripted reply (silence when the script has run out),
  // advancing the clock as the real time-outs would; a raised cancel token
  // cuts the wait short and leaves the reply for later.
  bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) override;
  bool Write(const std::uint8_t* data, std::size_t n) override;
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void SetCancelToken(const CancelToken* cancel) override { cancel_ = cancel; }
  std::string LastError() const override { return lastError_; }

  std::deque<Reply> script;
  std::set<std::size_t> failingWrites;  // indexes into writes that fail
  bool openSucceeds = true;
  std::vector<Bytes> writes;
  std::string openedName;
  int opens = 0;

 private:
  SimulatedClock& clock_;
  const CancelToken* cancel_ = nullptr;
  SerialTimeouts timeouts_{};
  std::string lastError_;
  bool open_ = false;
};

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

// Replies of a radio that answers every step of a handshake.
void ScriptHandshake(ScriptedPort& port, std::uint8_t identType = 0xFF);
// Replies of a radio giving blocks [first, last) of its image in a read.
void ScriptReadBlocks(ScriptedPort& port, const MemoryImage& radio, int first, int last);
// Replies of a radio acknowledging `count` write blocks.
void ScriptWriteAcks(ScriptedPort& port, int count);

}  // namespace korvel::test
