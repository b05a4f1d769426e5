#include <windows.h>

#include "link/cancel_token.h"

namespace korvel {
namespace {

std::intptr_t NewEvent() {
  // Manual reset: it stays set for every wait until Reset.
  const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return event == nullptr ? -1 : reinterpret_cast<std::intptr_t>(event);
}

HANDLE Event(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

static_assert(std::atomic<bool>::is_always_lock_free, "Raise must be safe from a console control handler");

CancelToken::CancelToken() : handle_(NewEvent()) {}

CancelToken::~CancelToken() {
  if (handle_ != -1) ::CloseHandle(Event(handle_));
}

void CancelToken::Raise() {
  raised_.store(true, std::memory_order_release);
  if (handle_ != -1) ::SetEvent(Event(handle_));
}

void CancelToken::Reset() {
  raised_.store(false, std::memory_order_release);
  if (handle_ != -1) ::ResetEvent(Event(handle_));
}

bool CancelToken::Wait(int ms) const {
  return handle_ != -1 && ::WaitForSingleObject(Event(handle_), static_cast<DWORD>(ms)) != WAIT_FAILED;
}

}  // namespace korvel
