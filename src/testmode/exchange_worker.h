#pragma once
// Runs one test exchange at a time on a thread of its own, so the test mode
// dialog stays live while the port waits; questions go through the
// prompter, which shows them on the interface thread.

#include "widgets/link_thread.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "model/prompter.h"
#include "testmode/exchange.h"

namespace korvel {

class TestExchangeWorker : public LinkThread {
  Q_OBJECT
 public:
  // Each exchange runs on a port made by makePort with the exchange's token.
  TestExchangeWorker(PortFactory makePort, Clock& clock, Prompter& prompter, QObject* parent = nullptr)
      : LinkThread(parent), makePort_(std::move(makePort)), clock_(clock), prompter_(prompter) {}
  ~TestExchangeWorker() override { StopAndWait(); }

  // Starts an exchange; false while one runs.
  bool Start(const TestExchangeInput& input);
  // The outcome of the last exchange, once finished() has been emitted.
  const TestExchangeOutcome& Outcome() const { return outcome_; }

 private:
  PortFactory makePort_;
  Clock& clock_;
  Prompter& prompter_;
  TestExchangeOutcome outcome_;
};

}  // namespace korvel
