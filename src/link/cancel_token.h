#pragma once
// A request to stop, raised from any thread (or a signal handler) and seen
// by the transfer at its next cancel check. It also wakes a wait in
// progress: its descriptor becomes readable, so a port read or a sleep that
// polls it ends at once.

#include <atomic>

namespace korvel {

class CancelToken {
 public:
  CancelToken();
  ~CancelToken();
  CancelToken(const CancelToken&) = delete;
  CancelToken& operator=(const CancelToken&) = delete;

  // Safe from any thread and from a signal handler.
  void Raise();
  bool IsRaised() const { return raised_.load(std::memory_order_acquire); }
  // Clears the request before the next transfer.
  void Reset();
  // Readable while the request is raised; for poll().
  int WaitHandle() const { return fd_; }

 private:
  std::atomic<bool> raised_{false};
  int fd_ = -1;
};

}  // namespace korvel
