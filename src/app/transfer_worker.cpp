#include "app/transfer_worker.h"

#include <QThread>

namespace korvel {

TransferWorker::TransferWorker(SerialPort& port, Clock& clock, Prompter& prompter, QObject* parent)
    : QObject(parent), port_(port), clock_(clock), prompter_(prompter) {}

TransferWorker::~TransferWorker() {
  if (thread_ == nullptr) return;
  cancel_.Raise();
  thread_->wait();
  delete thread_;
}

bool TransferWorker::StartRead(const std::string& portName) {
  return Start(TransferDirection::Read, portName, MemoryImage{});
}

bool TransferWorker::StartWrite(const std::string& portName, const MemoryImage& image) {
  return Start(TransferDirection::Write, portName, image);
}

bool TransferWorker::Start(TransferDirection direction, const std::string& portName, const MemoryImage& image) {
  if (thread_ != nullptr) return false;
  cancel_.Reset();
  watch_.store(true);
  outcome_ = {};
  thread_ = QThread::create([this, direction, portName, image] {
    CloneTransfer transfer(port_, clock_, prompter_, cancel_, *this);
    outcome_ = direction == TransferDirection::Read ? transfer.Read(portName) : transfer.Write(portName, image);
  });
  // QThread::finished comes from the ending thread; delivered to this object
  // it runs on the interface thread.
  connect(thread_, &QThread::finished, this, &TransferWorker::Finish, Qt::QueuedConnection);
  thread_->start();
  return true;
}

void TransferWorker::Finish() {
  if (thread_ == nullptr) return;
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  watch_.store(false);
  emit finished();
}

void TransferWorker::StatusText(const std::string& text) { emit statusText(QString::fromStdString(text)); }

void TransferWorker::Progress(int position) { emit progress(position); }

}  // namespace korvel
