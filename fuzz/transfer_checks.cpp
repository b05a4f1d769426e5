#include "transfer_checks.h"

#include <algorithm>
#include <chrono>

#include "link/cancel_token.h"
#include "link/clone_transfer.h"
#include "testmode/exchange.h"

namespace korvel::fuzz {
namespace {

// The radio's side, read from the input one decision at a time; when the
// input runs out the radio falls silent.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0xE0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

class InstantClock final : public Clock {
 public:
  TimePoint Now() override { return TimePoint{} + std::chrono::milliseconds(ms); }
  bool SleepMs(int sleep, const CancelToken* cancel) override {
    ms += sleep;
    return cancel == nullptr || !cancel->IsRaised();
  }
  long long ms = 0;
};

class FuzzedPort final : public SerialPort {
 public:
  FuzzedPort(Input& input, InstantClock& clock) : input_(input), clock_(clock) {}
  bool Open(const std::string&) override {
    open_ = input_.Next() != 0x42;  // now and then the port is held
    return open_;
  }
  void SetQueueSizes(std::size_t, std::size_t) override {}
  void SetTimeouts(const SerialTimeouts&) override {}
  void ConfigureLine(const LineSettings&) override {}
  void PurgeAll() override {}
  void ClearQueues() override {}
  bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) override {
    *received = 0;
    if (!open_) misuse = true;
    const std::uint8_t kind = input_.Next();
    clock_.ms += 10;
    if (kind >= 0xF8) return false;  // a port error
    if (kind >= 0xE0) return true;   // silence
    const std::size_t count = std::min<std::size_t>(n, kind % 14);
    for (std::size_t i = 0; i < count; ++i) buffer[i] = input_.Next();
    *received = count;
    return true;
  }
  bool Write(const std::uint8_t*, std::size_t) override {
    if (!open_) misuse = true;
    return input_.Next() != 0x13;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void SetCancelToken(const CancelToken*) override {}
  std::string LastError() const override { return "fuzzed: Input/output error"; }

  bool misuse = false;

 private:
  Input& input_;
  InstantClock& clock_;
  bool open_ = false;
};

// Answers from the input, then Cancel: a run of Retry answers cannot last.
class FuzzedPrompter final : public Prompter {
 public:
  explicit FuzzedPrompter(Input& input) : input_(input) {}
  Answer Ask(const Prompt& prompt) override {
    if (prompt.text.empty()) emptyText = true;
    if (++asked_ > 20 || prompt.buttons == Buttons::Ok) return prompt.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    const bool yes = input_.Next() & 1;
    switch (prompt.buttons) {
      case Buttons::OkCancel: return yes ? Answer::Ok : Answer::Cancel;
      case Buttons::RetryCancel: return yes ? Answer::Retry : Answer::Cancel;
      default: return Answer::Cancel;
    }
  }
  bool emptyText = false;

 private:
  Input& input_;
  int asked_ = 0;
};

class NoEvents final : public TransferEvents {
 public:
  void StatusText(const std::string&) override {}
  void Progress(int p) override { position = p; }
  int position = 0;
};

std::string CheckTestExchange(Input& input) {
  InstantClock clock;
  FuzzedPort port(input, clock);
  FuzzedPrompter prompter(input);
  CancelToken cancel;
  static const char* const kTexts[] = {"146.52", "", "999.99999", "1000", "-5", "OFF", "88.5", "D023N", "x"};
  TestExchangeInput exchange;
  exchange.portName = "COM1";
  exchange.command = static_cast<std::uint8_t>(0x71 + input.Next() % 4);
  exchange.value = input.Next();
  exchange.rxFrequency = kTexts[input.Next() % 9];
  exchange.txFrequency = kTexts[input.Next() % 9];
  exchange.rxTone = kTexts[input.Next() % 9];
  exchange.txTone = kTexts[input.Next() % 9];
  RunTestExchange(exchange, port, clock, prompter, cancel);
  if (port.IsOpen()) return "the test exchange left the port open";
  if (port.misuse) return "the test exchange used the port while closed";
  if (prompter.emptyText) return "a message without text";
  return "";
}

}  // namespace

std::string CheckTransferAgainstBytes(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t kind = input.Next();
  if (kind % 3 == 2) return CheckTestExchange(input);
  const bool read = kind & 1;
  InstantClock clock;
  FuzzedPort port(input, clock);
  FuzzedPrompter prompter(input);
  CancelToken cancel;
  NoEvents events;
  CloneTransfer transfer(port, clock, prompter, cancel, events);
  MemoryImage image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i);
  const TransferOutcome outcome = read ? transfer.Read("COM1") : transfer.Write("COM1", image);

  if (port.IsOpen()) return "the port was left open";
  if (port.misuse) return "the port was used while closed";
  if (prompter.emptyText) return "a message without text";
  if (outcome.image.has_value() != (read && outcome.result == TransferResult::Completed))
    return "an image came back from an end that is not a complete read";
  if (outcome.blocksDone < 0 || outcome.blocksDone > 264) return "blocks done out of range";
  if (outcome.result == TransferResult::Completed && outcome.blocksDone != 264) return "completed early";
  if (events.position < 0 || events.position > kProgressEnd) return "progress out of range";
  return "";
}

}  // namespace korvel::fuzz
