#pragma once
// One exchange with the radio at a time on a thread of its own, so the
// window stays live while the port waits. The job's end reaches the
// interface thread as finished(); Cancel raises the job's token from any
// thread, which cuts its waits short.

#include <QObject>
#include <functional>

#include "link/cancel_token.h"

class QThread;

namespace korvel {

class LinkThread : public QObject {
  Q_OBJECT
 public:
  explicit LinkThread(QObject* parent = nullptr) : QObject(parent) {}
  ~LinkThread() override;

  bool IsRunning() const { return thread_ != nullptr; }
  // Safe from any thread; the job ends at its next cancel check.
  void Cancel() { cancel_.Raise(); }

 signals:
  // On the interface thread, after the job's thread has ended.
  void finished();

 protected:
  // Runs job on a new thread with the token cleared; false while one runs.
  bool Run(std::function<void()> job);
  const CancelToken& Token() const { return cancel_; }
  // Cancels a job still running and waits for it. A derived class calls it
  // in its own destructor, before the members the job uses are gone.
  void StopAndWait();
  // On the interface thread when the job has ended, before finished().
  virtual void Ended() {}

 private:
  void Finish();

  CancelToken cancel_;
  QThread* thread_ = nullptr;
};

}  // namespace korvel
