#include "testmode/exchange_worker.h"

namespace korvel {

bool TestExchangeWorker::Start(const TestExchangeInput& input) {
  if (IsRunning()) return false;
  outcome_ = {};
  return Run([this, input] {
    const std::unique_ptr<SerialPort> port = makePort_(Token());
    outcome_ = RunTestExchange(input, *port, clock_, prompter_, Token());
  });
}

}  // namespace korvel
