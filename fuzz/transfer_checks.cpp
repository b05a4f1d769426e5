#include "transfer_checks.h"

#include <algorithm>

#include "link/cancel_token.h"
#include "link/clone_transfer.h"
#include "simulated_port.h"
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

// The radio's replies, the port's errors and a held port, all read from
// the input.
class FuzzedRadio final : public test::RadioSide {
 public:
  explicit FuzzedRadio(Input& input) : input_(input) {}
  bool Opens() override { return input_.Next() != 0x42; }  // now and then the port is held
  bool Take(const std::uint8_t*, std::size_t, test::Bytes&) override { return input_.Next() != 0x13; }
  bool BeforeRead(std::size_t n, test::Bytes& answer) override {
    const std::uint8_t kind = input_.Next();
    if (kind >= 0xF8) return false;  // a port error
    if (kind >= 0xE0) return true;   // silence
    const std::size_t count = std::min<std::size_t>(n, kind % 14);
    for (std::size_t i = 0; i < count; ++i) answer.push_back(input_.Next());
    return true;
  }

 private:
  Input& input_;
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
  test::SimulatedClock clock;
  CancelToken cancel;
  FuzzedRadio radio(input);
  test::SimulatedPort port(radio, clock, cancel);
  FuzzedPrompter prompter(input);
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
  if (port.UsedWhileClosed()) return "the test exchange used the port while closed";
  if (prompter.emptyText) return "a message without text";
  return "";
}

}  // namespace

std::string CheckTransferAgainstBytes(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t kind = input.Next();
  if (kind % 3 == 2) return CheckTestExchange(input);
  const bool read = kind & 1;
  test::SimulatedClock clock;
  CancelToken cancel;
  FuzzedRadio radio(input);
  test::SimulatedPort port(radio, clock, cancel);
  FuzzedPrompter prompter(input);
  NoEvents events;
  CloneTransfer transfer(port, clock, prompter, cancel, events);
  MemoryImage image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i);
  const TransferOutcome outcome = read ? transfer.Read("COM1") : transfer.Write("COM1", image);

  if (port.IsOpen()) return "the port was left open";
  if (port.UsedWhileClosed()) return "the port was used while closed";
  if (prompter.emptyText) return "a message without text";
  if (outcome.image.has_value() != (read && outcome.result == TransferResult::Completed))
    return "an image came back from an end that is not a complete read";
  if (outcome.blocksDone < 0 || outcome.blocksDone > 264) return "blocks done out of range";
  if (outcome.result == TransferResult::Completed && outcome.blocksDone != 264) return "completed early";
  if (events.position < 0 || events.position > kProgressEnd) return "progress out of range";
  return "";
}

}  // namespace korvel::fuzz
