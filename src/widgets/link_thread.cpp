#include "widgets/link_thread.h"

#include <QThread>

namespace korvel {

LinkThread::~LinkThread() { StopAndWait(); }

void LinkThread::StopAndWait() {
  if (thread_ == nullptr) return;
  cancel_.Raise();
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
}

bool LinkThread::Run(std::function<void()> job) {
  if (thread_ != nullptr) return false;
  cancel_.Reset();
  thread_ = QThread::create(std::move(job));
  // QThread::finished comes from the ending thread; delivered to this object
  // it runs on the interface thread.
  connect(thread_, &QThread::finished, this, &LinkThread::Finish, Qt::QueuedConnection);
  thread_->start();
  return true;
}

void LinkThread::Finish() {
  if (thread_ == nullptr) return;
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  Ended();
  emit finished();
}

}  // namespace korvel
