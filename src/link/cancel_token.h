#pragma once
// A request to stop, raised from any thread (or a signal handler) and seen
// by the transfer at its next cancel check. It also wakes a wait in
// progress: its descriptor becomes readable (on Windows: its event is set),
// so a port read or a sleep that waits on it ends at once.

#include <atomic>
#include <cstdint>

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
  // Waits up to ms milliseconds for the request, returning early when it
  // is raised (or on a signal); false when the system cannot wait on it.
  bool Wait(int ms) const;
  // Readable while the request is raised, for poll(); on Windows an event
  // handle, set while it is raised, for WaitForMultipleObjects. -1 when the
  // system gave none (the request is then seen at the next check only).
  std::intptr_t WaitHandle() const { return handle_; }

 private:
  std::atomic<bool> raised_{false};
  std::intptr_t handle_ = -1;
};

}  // namespace korvel
