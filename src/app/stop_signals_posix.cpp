#include "app/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>

namespace korvel {
namespace {

constexpr int kStopSignals[2] = {SIGTERM, SIGHUP};

// The pipe's writing end while a notifier lives; read by the handler.
std::atomic<int> gWriteEnd{-1};

void OnStopSignal(int signal) {
  const int saved = errno;
  const int fd = gWriteEnd.load();
  const auto byte = static_cast<unsigned char>(signal);
  if (fd >= 0 && ::write(fd, &byte, 1) < 0) {
    // A full pipe already holds a request the event loop will see.
  }
  errno = saved;
}

}  // namespace

struct StopSignalNotifier::Taken {
  int pipe[2] = {-1, -1};
  struct sigaction previous[2]{};
  bool handled[2] = {};
};

StopSignalNotifier::StopSignalNotifier(QObject* parent) : QObject(parent), taken_(std::make_unique<Taken>()) {
  if (::pipe2(taken_->pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  gWriteEnd.store(taken_->pipe[1]);
  auto* notifier = new QSocketNotifier(taken_->pipe[0], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    unsigned char bytes[16];
    while (::read(taken_->pipe[0], bytes, sizeof bytes) > 0) {
    }
    emit stopRequested();
  });
  for (int i = 0; i < 2; ++i) {
    sigaction(kStopSignals[i], nullptr, &taken_->previous[i]);
    taken_->handled[i] = taken_->previous[i].sa_handler != SIG_IGN;
    if (!taken_->handled[i]) continue;
    struct sigaction action{};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(kStopSignals[i], &action, nullptr);
  }
}

StopSignalNotifier::~StopSignalNotifier() {
  for (int i = 0; i < 2; ++i)
    if (taken_->handled[i]) sigaction(kStopSignals[i], &taken_->previous[i], nullptr);
  gWriteEnd.store(-1);
  for (const int fd : taken_->pipe)
    if (fd >= 0) ::close(fd);
}

}  // namespace korvel
