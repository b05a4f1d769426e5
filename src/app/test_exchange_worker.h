#pragma once
// Runs one test exchange at a time on a thread of its own, so the test mode
// dialog stays live while the port waits; questions go through the
// prompter, which shows them on the interface thread.

#include <QObject>

#include "link/cancel_token.h"
#include "link/clock.h"
#include "link/serial_port.h"
#include "model/prompter.h"
#include "testmode/test_exchange.h"

class QThread;

namespace korvel {

class TestExchangeWorker : public QObject {
  Q_OBJECT
 public:
  TestExchangeWorker(SerialPort& port, Clock& clock, Prompter& prompter, QObject* parent = nullptr);
  // Stops an exchange still running and waits for it to end.
  ~TestExchangeWorker() override;

  // Starts an exchange; false while one runs.
  bool Start(const TestExchangeInput& input);
  bool IsRunning() const { return thread_ != nullptr; }
  // Safe from any thread; the exchange ends at its next wait.
  void Cancel() { cancel_.Raise(); }
  // The outcome of the last exchange, once finished() has been emitted.
  const TestExchangeOutcome& Outcome() const { return outcome_; }

 signals:
  // On the interface thread, after the exchange's thread has ended.
  void finished();

 private:
  void Finish();

  SerialPort& port_;
  Clock& clock_;
  Prompter& prompter_;
  CancelToken cancel_;
  QThread* thread_ = nullptr;
  TestExchangeOutcome outcome_;
};

}  // namespace korvel
