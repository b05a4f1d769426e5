#include "app/transfer_worker.h"

namespace korvel {

TransferWorker::TransferWorker(PortFactory makePort, Clock& clock, Prompter& prompter, QObject* parent)
    : LinkThread(parent), makePort_(std::move(makePort)), clock_(clock), prompter_(prompter) {}

bool TransferWorker::StartRead(const std::string& portName) {
  return Start(TransferDirection::Read, portName, MemoryImage{}, {});
}

bool TransferWorker::StartWrite(const std::string& portName, const MemoryImage& image, WriteJobOptions options) {
  return Start(TransferDirection::Write, portName, image, std::move(options));
}

bool TransferWorker::Start(TransferDirection direction, const std::string& portName, const MemoryImage& image,
                           WriteJobOptions options) {
  if (IsRunning()) return false;
  watch_.store(true);
  outcome_ = {};
  job_ = {};
  return Run([this, direction, portName, image, options = std::move(options)] {
    const std::unique_ptr<SerialPort> port = makePort_(Token());
    CloneTransfer transfer(*port, clock_, prompter_, Token(), *this);
    if (direction == TransferDirection::Read) {
      outcome_ = transfer.Read(portName);
      return;
    }
    job_ = RunWriteJob(transfer, portName, image, options);
    outcome_ = job_.write;
  });
}

void TransferWorker::StatusText(const std::string& text) { emit statusText(QString::fromStdString(text)); }

void TransferWorker::Progress(int position) { emit progress(position); }

}  // namespace korvel
