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

StopSignalNotifier::StopSignalNotifier(QObject* parent) : QObject(parent) {
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  gWriteEnd.store(pipe_[1]);
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &StopSignalNotifier::Drain);
  for (int i = 0; i < 2; ++i) {
    sigaction(kStopSignals[i], nullptr, &previous_[i]);
    taken_[i] = previous_[i].sa_handler != SIG_IGN;
    if (!taken_[i]) continue;
    struct sigaction action{};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(kStopSignals[i], &action, nullptr);
  }
}

StopSignalNotifier::~StopSignalNotifier() {
  for (int i = 0; i < 2; ++i)
    if (taken_[i]) sigaction(kStopSignals[i], &previous_[i], nullptr);
  gWriteEnd.store(-1);
  for (const int fd : pipe_)
    if (fd >= 0) ::close(fd);
}

void StopSignalNotifier::Drain() {
  unsigned char bytes[16];
  while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
  emit stopRequested();
}

}  // namespace korvel
