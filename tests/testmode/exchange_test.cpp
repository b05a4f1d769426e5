// The test exchange against the simulated radio, on simulated time: the
// bytes on the wire, the questions the user is asked, and whether the port
// is still held when they are.

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "link/transfer_texts.h"
#include "simulated_port.h"
#include "radio_protocol.h"
#include "scripted_prompter.h"
#include "simulated_clock.h"
#include "test_files.h"
#include "testmode/exchange.h"
#include "testmode/texts.h"

namespace korvel::test {
namespace {

using radiosim::RadioFaults;
using radiosim::TestPoint;
using Texts = std::vector<std::string>;

// Squelch Level 160 at 146 MHz without tones: the exchange of the example.
TestExchangeInput SquelchInput() {
  return TestExchangeInput{"COM2", 0x73, 160, "146.00000", "146.00000", "OFF", "OFF"};
}

// One exchange with the simulated radio behind the port.
struct ExchangeRig {
  explicit ExchangeRig(RadioFaults faults = {}) : radio(PatternImage(1), 0x38, faults) {
    prompter.onAsk = [this](const Prompt&) { portHeld.push_back(port.IsOpen()); };
  }
  TestExchangeOutcome Run(const TestExchangeInput& input = SquelchInput()) {
    return RunTestExchange(input, port, clock, prompter, cancel);
  }
  // Greetings sent: 'P' goes out on its own write only as the greeting's
  // second byte.
  int Greetings() const {
    int count = 0;
    for (const Bytes& write : port.Writes()) count += write == Bytes{'P'};
    return count;
  }

  radiosim::RadioProtocol radio;
  SimulatedClock clock;
  CancelToken cancel;
  SimulatedPort port{radio, clock, cancel};
  ScriptedPrompter prompter;
  std::vector<bool> portHeld;  // at each prompt, in order
};

TEST(TestExchange, SendsTheExampleExchangeByteForByte) {
  ExchangeRig rig;
  EXPECT_EQ(rig.Run().result, TestExchangeResult::Finished);
  const std::vector<Bytes> writes = {
      {0x02}, {0x50}, {0x52}, {0x4F}, {0x47}, {0x52}, {0x41},  // greeting, a byte a write
      {0x4D}, {0x02},                                          // ident request
      {0x06},
      {0x78}, {0x73}, {0x73, 0x08},
      {0x00, 0x00, 0x60, 0x14, 0x00, 0x00, 0x60, 0x14},
      {0x00, 0x00, 0x00, 0x00, 0xFB, 0x01, 0x01, 0xA0},
  };
  EXPECT_EQ(rig.port.Writes(), writes);
  const Bytes fromRadio = {0x06, 'K', 'V', 'R', 'S', 0x38, 0x01, 0x00, 0x00, 0x06, 0x48, 0x48, 0x48};
  EXPECT_EQ(rig.port.RadioBytes(), fromRadio);
  EXPECT_EQ(rig.port.OpenedName(), "COM2");
  const SerialTimeouts& t = rig.port.Timeouts();  // the test mode's own, shorter than a clone's
  EXPECT_EQ((std::array{t.readIntervalMs, t.readTotalPerByteMs, t.readTotalConstantMs}), (std::array{10, 50, 50}));
}

struct ExchangeEnd {
  const char* name;
  const char* txFrequency = "146.00000";
  RadioFaults faults = {};
  std::vector<Answer> answers = {};
  bool openFails = false;
  bool radioRecoversOnRetry = false;
  std::optional<long long> cancelAtMs = {};
  TestExchangeResult result = TestExchangeResult::Finished;
  Texts prompts = {texts::kTestFinished};
  std::vector<bool> portHeld = {false};  // at each prompt
  int greetings = 1;
  std::size_t commandsTaken = 1;  // whole test commands the radio took
};

// A fault that ends the exchange with the error, the port held, Cancel.
ExchangeEnd Failed(const char* name, RadioFaults faults, std::size_t commandsTaken = 0) {
  return {.name = name, .faults = faults, .result = TestExchangeResult::Cancelled, .prompts = {texts::kTestError},
          .portHeld = {true}, .commandsTaken = commandsTaken};
}

TEST(TestExchange, EveryEndAsTheUserSeesIt) {
  const std::string error = texts::kTestError;
  const ExchangeEnd cases[] = {
      // Which greeting acknowledgements count is the shared handshake's
      // (transfer_failures_test); an attempt that fails is the exchange's.
      {.name = "a sound radio"},
      {.name = "an ident reply of three bytes", .faults = {.identLength = 3}},
      {.name = "no ident reply at all", .faults = {.identLength = 0}},
      Failed("a wrong handshake acknowledgement", {.badHandshakeAck = true}),
      Failed("no 0x48 to the command", {.missingTestAck = TestPoint::kCommand}),
      Failed("no 0x48 to the frequency block", {.missingTestAck = TestPoint::kFrequency}),
      Failed("no 0x48 to the parameter block", {.missingTestAck = TestPoint::kParameters}, 1),
      Failed("a wrong byte for the command's 0x48", {.wrongTestAck = TestPoint::kCommand}),
      Failed("a wrong byte for the frequency block's 0x48", {.wrongTestAck = TestPoint::kFrequency}),
      Failed("a wrong byte for the parameter block's 0x48", {.wrongTestAck = TestPoint::kParameters}, 1),
      {.name = "a silent radio: Retry twice, then Cancel", .faults = {.silent = true},
       .answers = {Answer::Retry, Answer::Retry}, .result = TestExchangeResult::Cancelled,
       .prompts = {error, error, error}, .portHeld = {true, true, true}, .greetings = 3, .commandsTaken = 0},
      {.name = "Retry after the radio was switched on sends the whole greeting again", .faults = {.silent = true},
       .answers = {Answer::Retry}, .radioRecoversOnRetry = true, .prompts = {error, texts::kTestFinished},
       .portHeld = {true, false}, .greetings = 2},
      {.name = "the port can't be opened", .openFails = true, .result = TestExchangeResult::PortNotOpened,
       .prompts = {texts::kPortNotOpened}, .greetings = 0, .commandsTaken = 0},
      {.name = "a field that can't be sent is refused before the port opens", .txFrequency = "1000",
       .result = TestExchangeResult::Refused,
       .prompts = {"The transmit frequency \"1000\" cannot be sent: it must be from 0 to 999.99999 MHz."},
       .greetings = 0, .commandsTaken = 0},
      {.name = "stopped during the opening pause", .cancelAtMs = 300, .result = TestExchangeResult::Stopped,
       .prompts = {}, .portHeld = {}, .greetings = 0, .commandsTaken = 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExchangeRig rig(c.faults);
    rig.prompter.answers.assign(c.answers.begin(), c.answers.end());
    rig.port.openFails = c.openFails;
    if (c.cancelAtMs) rig.clock.RaiseAt(*c.cancelAtMs, rig.cancel);
    if (c.radioRecoversOnRetry) {
      rig.prompter.onAsk = [&rig](const Prompt& prompt) {
        rig.portHeld.push_back(rig.port.IsOpen());
        if (prompt.id == PromptId::TestExchangeError) rig.radio = radiosim::RadioProtocol(PatternImage(1), 0x38);
      };
    }
    TestExchangeInput input = SquelchInput();
    input.txFrequency = c.txFrequency;
    const TestExchangeOutcome outcome = rig.Run(input);
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(rig.prompter.Texts(), c.prompts);
    EXPECT_EQ(rig.portHeld, c.portHeld);
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_EQ(rig.Greetings(), c.greetings);
    EXPECT_EQ(rig.port.Opens() == 0, c.openFails || c.result == TestExchangeResult::Refused);
    EXPECT_EQ(rig.radio.TestCommands().size(), c.commandsTaken);
    for (const Prompt& prompt : rig.prompter.asked) {
      if (prompt.text == texts::kTestError) {
        EXPECT_EQ(prompt.buttons, Buttons::RetryCancel);
        EXPECT_EQ(prompt.id, PromptId::TestExchangeError);
      }
    }
  }
}

}  // namespace
}  // namespace korvel::test
