#include "testmode/exchange_worker.h"

namespace korvel {

bool TestExchangeWorker::Start(const TestExchangeInput& input) {
  if (IsRunning()) return false;
  outcome_ = {};
  return Run([this, input] { outcome_ = RunTestExchange(input, port_, clock_, prompter_, Token()); });
}

}  // namespace korvel
