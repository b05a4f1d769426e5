#include "link/cancel_token.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace korvel {

static_assert(std::atomic<bool>::is_always_lock_free, "Raise must be safe in a signal handler");

CancelToken::CancelToken() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CancelToken::~CancelToken() {
  if (fd_ >= 0) ::close(fd_);
}

void CancelToken::Raise() {
  raised_.store(true, std::memory_order_release);
  const std::uint64_t one = 1;
  if (fd_ >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(fd_, &one, sizeof one);
  }
}

void CancelToken::Reset() {
  raised_.store(false, std::memory_order_release);
  std::uint64_t count = 0;
  if (fd_ >= 0) {
    [[maybe_unused]] const ssize_t drained = ::read(fd_, &count, sizeof count);
  }
}

}  // namespace korvel
