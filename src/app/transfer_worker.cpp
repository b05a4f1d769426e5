#include "app/transfer_worker.h"

namespace korvel {

TransferWorker::TransferWorker(SerialPort& port, Clock& clock, Prompter& prompter, QObject* parent)
    : LinkThread(parent), port_(port), clock_(clock), prompter_(prompter) {}

bool TransferWorker::StartRead(const std::string& portName) {
  return Start(TransferDirection::Read, portName, MemoryImage{});
}

bool TransferWorker::StartWrite(const std::string& portName, const MemoryImage& image) {
  return Start(TransferDirection::Write, portName, image);
}

bool TransferWorker::Start(TransferDirection direction, const std::string& portName, const MemoryImage& image) {
  if (IsRunning()) return false;
  watch_.store(true);
  outcome_ = {};
  return Run([this, direction, portName, image] {
    CloneTransfer transfer(port_, clock_, prompter_, Token(), *this);
    outcome_ = direction == TransferDirection::Read ? transfer.Read(portName) : transfer.Write(portName, image);
  });
}

void TransferWorker::StatusText(const std::string& text) { emit statusText(QString::fromStdString(text)); }

void TransferWorker::Progress(int position) { emit progress(position); }

}  // namespace korvel
