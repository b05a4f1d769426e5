#include "app/test_exchange_worker.h"

#include <QThread>

namespace korvel {

TestExchangeWorker::TestExchangeWorker(SerialPort& port, Clock& clock, Prompter& prompter, QObject* parent)
    : QObject(parent), port_(port), clock_(clock), prompter_(prompter) {}

TestExchangeWorker::~TestExchangeWorker() {
  if (thread_ == nullptr) return;
  cancel_.Raise();
  thread_->wait();
  delete thread_;
}

bool TestExchangeWorker::Start(const TestExchangeInput& input) {
  if (thread_ != nullptr) return false;
  cancel_.Reset();
  outcome_ = {};
  thread_ = QThread::create(
      [this, input] { outcome_ = RunTestExchange(input, port_, clock_, prompter_, cancel_); });
  // Delivered to this object, the thread's end is handled on the interface thread.
  connect(thread_, &QThread::finished, this, &TestExchangeWorker::Finish, Qt::QueuedConnection);
  thread_->start();
  return true;
}

void TestExchangeWorker::Finish() {
  if (thread_ == nullptr) return;
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  emit finished();
}

}  // namespace korvel
