#pragma once
// One test exchange: the clone protocol's handshake, then one alignment
// command with its frequency block and parameter block, each answered by
// the radio with 0x48. It runs on any thread: the outcome and every failure
// are told through the prompter, and the cancel token, raised from anywhere,
// ends it at once (cutting the wait in progress short).

#include <cstdint>
#include <string>

#include "link/cancel_token.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "model/prompter.h"

namespace korvel {

// What Start gathers from the dialog.
struct TestExchangeInput {
  std::string portName;
  std::uint8_t command = 0;  // test command byte of the debug item
  std::uint8_t value = 0;    // its alignment value
  std::string rxFrequency;   // MHz texts as the edits hold them
  std::string txFrequency;
  std::string rxTone;        // tone names
  std::string txTone;
};

enum class TestExchangeResult {
  Finished,        // all three 0x48 replies came; "Finish successfully!" shown
  Refused,         // a field can't be sent; no port opened
  PortNotOpened,
  Cancelled,       // Cancel on the Retry question
  Stopped,         // the cancel token was raised
};

const char* TestExchangeResultName(TestExchangeResult result);

struct TestExchangeOutcome {
  TestExchangeResult result = TestExchangeResult::Stopped;
  int attempts = 0;
};

TestExchangeOutcome RunTestExchange(const TestExchangeInput& input, SerialPort& port, Clock& clock,
                                    Prompter& prompter, const CancelToken& cancel);

}  // namespace korvel
