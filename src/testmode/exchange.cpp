#include "testmode/exchange.h"

#include "link/handshake.h"
#include "link/link_channel.h"
#include "link/port_names.h"
#include "link/port_problem.h"
#include "link/radio_frames.h"
#include "link/transfer_texts.h"
#include "testmode/encoding.h"
#include "testmode/texts.h"

namespace korvel {
namespace {

constexpr int kAttemptPauseMs = 700;
constexpr int kPauseMs = 1;

// One attempt's end: the radio answered everything, a reply check failed,
// or the cancel token cut a wait short.
enum class Attempt { Done, Failed, Stopped };

class TestRun {
 public:
  TestRun(SerialPort& port, Clock& clock, const CancelToken& cancel, const TestBlocks& blocks,
          std::uint8_t command)
      // Every read follows a write that has just cleared the queues; clearing
      // again before the read would throw away a reply already on its way.
      : link_(port, clock, cancel), handshake_(link_, kTestHandshake), blocks_(blocks), command_(command) {}

  LinkChannel& Link() { return link_; }

  Attempt Run() {
    if (!link_.Pause(kAttemptPauseMs)) return Attempt::Stopped;
    if (Attempt a = Check(handshake_.Greet()); a != Attempt::Done) return a;
    IdentReply ident;  // any reply, or none, will do
    if (Attempt a = Check(handshake_.RequestIdent(&ident)); a != Attempt::Done) return a;
    // A failed write shows up as the missing reply that follows.
    if (!handshake_.SendAck() && link_.Cancelled()) return Attempt::Stopped;
    if (Attempt a = Check(handshake_.AwaitAck()); a != Attempt::Done) return a;

    if (!link_.Pause(kPauseMs)) return Attempt::Stopped;
    link_.Send(frames::kTestPrefix);
    if (!link_.Pause(kPauseMs)) return Attempt::Stopped;
    link_.Send(command_);
    if (!link_.Pause(kPauseMs)) return Attempt::Stopped;
    const std::uint8_t repeat[] = {command_, frames::kTestLength};
    link_.Send(repeat, sizeof repeat);
    if (Attempt a = AwaitTestAck(); a != Attempt::Done) return a;

    for (const TestBlock* block : {&blocks_.frequency, &blocks_.parameter}) {
      if (!link_.Pause(kPauseMs)) return Attempt::Stopped;
      link_.Send(block->data(), block->size());
      if (Attempt a = AwaitTestAck(); a != Attempt::Done) return a;
    }
    return Attempt::Done;
  }

 private:
  static Attempt Check(StepEnd end) {
    switch (end) {
      case StepEnd::Done: return Attempt::Done;
      case StepEnd::Cancelled: return Attempt::Stopped;
      case StepEnd::NoAnswer:
      case StepEnd::Failed: break;
    }
    return Attempt::Failed;
  }

  Attempt AwaitTestAck() {
    bool matched = false;
    const ReadEnd end = link_.ReceiveExactly(frames::kTestAck, &matched);
    if (end == ReadEnd::Cancelled) return Attempt::Stopped;
    return matched ? Attempt::Done : Attempt::Failed;
  }

  LinkChannel link_;
  Handshake handshake_;
  TestBlocks blocks_;
  std::uint8_t command_;
};

Answer Ask(Prompter& prompter, const char* text, Buttons buttons, PromptId id, std::string detail = {}) {
  Prompt prompt{text, buttons};
  prompt.id = id;
  prompt.detail = std::move(detail);
  return prompter.Ask(prompt);
}

}  // namespace

const char* TestExchangeResultName(TestExchangeResult result) {
  switch (result) {
    case TestExchangeResult::Finished: return "finished";
    case TestExchangeResult::Refused: return "refused";
    case TestExchangeResult::PortNotOpened: return "port not opened";
    case TestExchangeResult::Cancelled: return "cancelled";
    case TestExchangeResult::Stopped: return "stopped";
  }
  return "unknown";
}

TestExchangeOutcome RunTestExchange(const TestExchangeInput& input, SerialPort& port, Clock& clock,
                                    Prompter& prompter, const CancelToken& cancel) {
  TestExchangeOutcome outcome;
  std::string refusal;
  const std::optional<TestBlocks> blocks = BuildTestBlocks(input.rxFrequency, input.txFrequency, input.rxTone,
                                                           input.txTone, input.value, &refusal);
  if (!blocks) {
    Ask(prompter, refusal.c_str(), Buttons::Ok, PromptId::Message);
    outcome.result = TestExchangeResult::Refused;
    return outcome;
  }

  TestRun run(port, clock, cancel, *blocks, input.command);
  LinkChannel& link = run.Link();
  if (!link.Open(input.portName, kTestModeTimeouts)) {
    Ask(prompter, texts::kPortNotOpened, Buttons::Ok, PromptId::PortNotOpened, link.LastError());
    outcome.result = TestExchangeResult::PortNotOpened;
    return outcome;
  }
  port.DiscardInput();

  const std::string device = ResolvePortDevice(input.portName);
  for (;;) {
    ++outcome.attempts;
    const Clock::TimePoint start = clock.Now();
    const Attempt attempt = run.Run();
    if (attempt == Attempt::Done) {
      // Closed first, so the user can start the next exchange at once.
      link.Close();
      Ask(prompter, texts::kTestFinished, Buttons::Ok, PromptId::Message);
      outcome.result = TestExchangeResult::Finished;
      return outcome;
    }
    if (attempt == Attempt::Stopped) break;
    // The port stays open for the next attempt. Without the port's own
    // error, the radio did not answer as it should.
    std::string detail = link.LastError();
    if (detail.empty()) {
      const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now() - start);
      detail = NoAnswerDetail(device, 1, elapsed.count());
    }
    if (Ask(prompter, texts::kTestError, Buttons::RetryCancel, PromptId::TestExchangeError, detail) !=
        Answer::Retry) {
      link.Close();
      outcome.result = TestExchangeResult::Cancelled;
      return outcome;
    }
    if (link.Cancelled()) break;
  }
  link.Close();
  outcome.result = TestExchangeResult::Stopped;
  return outcome;
}

}  // namespace korvel
