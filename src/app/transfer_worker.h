#pragma once
// Runs one clone transfer at a time on a thread of its own, so the window
// stays live while the port waits. Progress reaches the interface thread
// as queued signals; questions go through the prompter, which shows them
// there and makes the transfer wait for the answer; Cancel raises the
// transfer's token from any thread.

#include <QString>
#include <atomic>
#include <string>

#include "widgets/link_thread.h"
#include "link/clock.h"
#include "link/clone_transfer.h"
#include "link/radio_jobs.h"
#include "link/serial_port.h"
#include "link/transfer_events.h"
#include "model/prompter.h"

namespace korvel {

class TransferWorker : public LinkThread, private TransferEvents {
  Q_OBJECT
 public:
  // Each transfer runs on a port made by makePort with the transfer's token.
  TransferWorker(PortFactory makePort, Clock& clock, Prompter& prompter, QObject* parent = nullptr);
  // Cancels a transfer still running and waits for it to end.
  ~TransferWorker() override { StopAndWait(); }

  // Starts a transfer; false while one runs. The image to write is copied.
  bool StartRead(const std::string& portName);
  // A write runs as a write job: a backup read before and a verifying read
  // after, as the options ask.
  bool StartWrite(const std::string& portName, const MemoryImage& image, WriteJobOptions options = {});
  // Whether the dialog losing activation now counts as an interruption.
  bool InterruptionWatch() const { return watch_.load(); }
  // The outcome of the last transfer, once finished() has been emitted.
  const TransferOutcome& Outcome() const { return outcome_; }
  // The whole write job, when the last transfer was a write.
  const WriteJobOutcome& JobOutcome() const { return job_; }

 signals:
  void statusText(const QString& text);
  void progress(int position);
  // A write job moves on to a backup read, the write or the verifying read.
  // (a TransferPhase as int, which queued signals carry as it is).
  void phase(int phase);

 private:
  bool Start(TransferDirection direction, const std::string& portName, const MemoryImage& image,
             WriteJobOptions options);
  void Ended() override { watch_.store(false); }
  // Called on the transfer's thread.
  void StatusText(const std::string& text) override;
  void Progress(int position) override;
  void InterruptionWatch(bool on) override { watch_.store(on); }
  void Phase(TransferPhase phase) override { emit this->phase(static_cast<int>(phase)); }

  PortFactory makePort_;
  Clock& clock_;
  Prompter& prompter_;
  std::atomic<bool> watch_{false};
  TransferOutcome outcome_;
  WriteJobOutcome job_;
};

}  // namespace korvel
