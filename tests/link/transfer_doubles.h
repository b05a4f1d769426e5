#pragma once
// Test doubles for the clone transfer: simulated time, a port that plays a
// scripted radio, and a host that records what the transfer shows. All three
// write into one event log so tests can check the order of things.

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/serial_port.h"
#include "link/transfer_host.h"

namespace korvel::test {

using Bytes = std::vector<std::uint8_t>;
using EventLog = std::vector<std::string>;

class FakeClock final : public Clock {
 public:
  explicit FakeClock(EventLog& log) : log_(log) {}
  TimePoint Now() override { return TimePoint{} + std::chrono::milliseconds(elapsedMs); }
  void SleepMs(int ms) override;
  long long elapsedMs = 0;

 private:
  EventLog& log_;
};

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
  ScriptedPort(FakeClock& clock, EventLog& log) : clock_(clock), log_(log) {}
  bool Open(const std::string& name) override;
  void SetQueueSizes(std::size_t, std::size_t) override { log_.push_back("queues"); }
  void SetTimeouts(const SerialTimeouts& timeouts) override { timeouts_ = timeouts; }
  void ConfigureLine(const LineSettings&) override { log_.push_back("line"); }
  void PurgeAll() override { log_.push_back("purge"); }
  void ClearQueues() override { log_.push_back("clear"); }
  // Takes the next scripted reply (silence when the script has run out),
  // advancing the clock as the real time-outs would.
  bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) override;
  bool Write(const std::uint8_t* data, std::size_t n) override;
  void Close() override;
  bool IsOpen() const override { return open_; }

  std::deque<Reply> script;
  std::set<std::size_t> failingWrites;  // indexes into writes that fail
  bool openSucceeds = true;
  std::vector<Bytes> writes;
  std::string openedName;
  int opens = 0;
  int closes = 0;

 private:
  FakeClock& clock_;
  EventLog& log_;
  SerialTimeouts timeouts_{};
  bool open_ = false;
};

class RecordingHost final : public TransferHost, public Prompter {
 public:
  explicit RecordingHost(EventLog& log) : log_(log) {}
  void SetStatusText(const std::string& text) override;
  int ProgressPosition() override { return position; }
  void StepProgress() override { ++position; }
  void SetProgressPosition(int p) override { position = p; }
  void PumpPass() override;
  bool CancelRequested() override { return cancel; }
  void SetInterruptionWatch(bool on) override { watch = on; }
  Prompter& Prompts() override { return *this; }
  void CloseDialog() override;
  void CollectGrid(MemoryImage& image) override;
  void FillGrid(const MemoryImage& image) override;
  // Gives the scripted answers in order; Cancel (or OK for an OK box) after.
  Answer Ask(const Prompt& prompt) override;

  std::deque<Answer> answers;
  long cancelAtPass = -1;  // the pump pass (1-based) that raises the cancel request
  std::uint8_t collectedMarker = 0xC5;
  long passes = 0;
  int position = 0;
  bool cancel = false;
  bool watch = true;
  bool promptWithWatchSet = false;  // some prompt came while the watch was set
  std::vector<std::string> statuses;
  std::vector<std::string> prompts;
  int dialogCloses = 0;
  int fills = 0;

 private:
  EventLog& log_;
};

// Replies of a radio that answers every step of a handshake.
void ScriptHandshake(ScriptedPort& port, std::uint8_t identType = 0xFF);
// Replies of a radio giving blocks [first, last) of its image in a read.
void ScriptReadBlocks(ScriptedPort& port, const MemoryImage& radio, int first, int last);
// A radio image with a distinct value in every byte.
MemoryImage PatternImage(std::uint8_t seed);

}  // namespace korvel::test
