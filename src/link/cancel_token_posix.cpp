#include "link/cancel_token.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace korvel {

static_assert(std::atomic<bool>::is_always_lock_free, "Raise must be safe in a signal handler");

CancelToken::CancelToken() : handle_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CancelToken::~CancelToken() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

void CancelToken::Raise() {
  raised_.store(true, std::memory_order_release);
  const std::uint64_t one = 1;
  if (handle_ >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(static_cast<int>(handle_), &one, sizeof one);
  }
}

void CancelToken::Reset() {
  raised_.store(false, std::memory_order_release);
  std::uint64_t count = 0;
  if (handle_ >= 0) {
    [[maybe_unused]] const ssize_t drained = ::read(static_cast<int>(handle_), &count, sizeof count);
  }
}

bool CancelToken::Wait(int ms) const {
  pollfd pfd{static_cast<int>(handle_), POLLIN, 0};
  return handle_ >= 0 && (::poll(&pfd, 1, ms) >= 0 || errno == EINTR);
}

}  // namespace korvel
