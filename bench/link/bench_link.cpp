// bench_link: full read, full write and the wait for a silent radio, each a
// real clone transfer over a pseudo-terminal to the simulated radio paced
// like a 9600-baud 8N1 line. Prints the wall time beside the floor (every
// byte on the line plus every mandated sleep) and the CPU time the transfer
// and the radio spent. Then how long a transfer takes to end after Cancel,
// raised from another thread at moments spread over a read and over the
// wait for a silent radio. Then a read and a write through a USB adapter
// whose latency timer holds every reply 16 ms (the simulator's --latency),
// against the floor with that latency: the protocol's time-outs must still
// let them complete.
//
//   bench_link [--repeat N] [--skip-silent] [--skip-cancel] [--skip-latency]

#include <pthread.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "link/cancel_token.h"
#include "link/clone_transfer.h"
#include "link/posix_serial_port.h"
#include "transfer_floor.h"
#include "pty_server.h"
#include "radio_protocol.h"

namespace {

using namespace korvel;
using namespace korvel::radiosim;
using namespace korvel::bench;

// Answers every question with Cancel, so a failure ends the transfer.
class CancellingPrompter final : public Prompter {
 public:
  Answer Ask(const Prompt& prompt) override {
    last = prompt.text;
    return prompt.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }
  std::string last;
};

class QuietEvents final : public TransferEvents {
 public:
  void StatusText(const std::string&) override {}
  void Progress(int) override {}
};

double ThreadCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double CpuClockSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Figures {
  TransferResult result;
  double wallMs;
  double cpuMs;
  double radioCpuMs;
};

// A common USB adapter's latency timer.
constexpr int kAdapterLatencyMs = 16;

Figures RunOne(TransferDirection direction, bool silent, int replyLatencyMs = 0, int cancelAfterMs = -1,
               double* cancelLatencyMs = nullptr) {
  RadioFaults faults;
  faults.silent = silent;
  faults.replyLatencyMs = replyLatencyMs;
  RadioProtocol protocol(NewImage(), 0xFF, faults);
  PtyServer server(protocol, ServerOptions{true, {}, nullptr});
  std::string error;
  if (!server.Open(&error)) {
    std::fprintf(stderr, "bench_link: %s\n", error.c_str());
    std::exit(1);
  }
  std::thread radio([&] { server.Run(nullptr); });
  clockid_t radioClock{};
  pthread_getcpuclockid(radio.native_handle(), &radioClock);

  QuietEvents events;
  CancellingPrompter prompter;
  CancelToken cancel;
  PosixSerialPort port(cancel);
  CloneTransfer transfer(port, SystemClock::Instance(), prompter, cancel, events);

  const double radioCpu0 = CpuClockSeconds(radioClock);
  const double cpu0 = ThreadCpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point raisedAt{};
  std::thread canceller;
  if (cancelAfterMs >= 0) {
    canceller = std::thread([&] {
      std::this_thread::sleep_until(t0 + std::chrono::milliseconds(cancelAfterMs));
      raisedAt = std::chrono::steady_clock::now();
      cancel.Raise();
    });
  }
  const TransferResult result = direction == TransferDirection::Read
                                    ? transfer.Read(server.DevicePath()).result
                                    : transfer.Write(server.DevicePath(), NewImage()).result;
  const auto t1 = std::chrono::steady_clock::now();
  const double cpu1 = ThreadCpuSeconds();
  const double radioCpu1 = CpuClockSeconds(radioClock);
  if (canceller.joinable()) canceller.join();
  if (cancelLatencyMs != nullptr) *cancelLatencyMs = std::chrono::duration<double, std::milli>(t1 - raisedAt).count();

  server.RequestStop();
  radio.join();
  return {result, std::chrono::duration<double, std::milli>(t1 - t0).count(), (cpu1 - cpu0) * 1e3,
          (radioCpu1 - radioCpu0) * 1e3};
}

void Report(const char* name, TransferDirection direction, bool silent, int repeat, int replyLatencyMs = 0) {
  const Floor floor = silent ? SilentFloor() : TransferFloor(direction, replyLatencyMs);
  for (int i = 0; i < repeat; ++i) {
    const Figures f = RunOne(direction, silent, replyLatencyMs);
    std::printf(
        "%-10s %-19s wall %8.1f ms  floor %8.1f ms (x%5.3f)  overlapped floor %8.1f ms (x%5.3f)  "
        "cpu %6.1f ms  radio cpu %6.1f ms\n",
        name, TransferResultName(f.result), f.wallMs, floor.sum, f.wallMs / floor.sum, floor.overlapped,
        f.wallMs / floor.overlapped, f.cpuMs, f.radioCpuMs);
    std::fflush(stdout);
  }
}

// Cancel raised at moments spread over the run: the time from the raise to
// the transfer's return.
void ReportCancel(const char* name, bool silent, std::initializer_list<int> moments) {
  double worst = 0;
  double sum = 0;
  int count = 0;
  for (const int at : moments) {
    double latency = 0;
    const Figures f = RunOne(TransferDirection::Read, silent, 0, at, &latency);
    if (f.result != TransferResult::Cancelled) {
      std::printf("%-10s cancel at %5d ms: ended %s before the cancel\n", name, at, TransferResultName(f.result));
      continue;
    }
    std::printf("%-10s cancel at %5d ms: ended %6.2f ms later\n", name, at, latency);
    worst = std::max(worst, latency);
    sum += latency;
    ++count;
  }
  if (count > 0) std::printf("%-10s cancel: worst %.2f ms, mean %.2f ms over %d\n", name, worst, sum / count, count);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 1;
  bool skipSilent = false;
  bool skipCancel = false;
  bool skipLatency = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--skip-silent") == 0) {
      skipSilent = true;
    } else if (std::strcmp(argv[i], "--skip-cancel") == 0) {
      skipCancel = true;
    } else if (std::strcmp(argv[i], "--skip-latency") == 0) {
      skipLatency = true;
    } else {
      std::fprintf(stderr, "usage: bench_link [--repeat N] [--skip-silent] [--skip-cancel] [--skip-latency]\n");
      return 2;
    }
  }
  std::printf("clone transfer against the simulated radio at 9600 baud 8N1 (%.4f ms a character)\n", kCharacterMs);
  Report("full read", TransferDirection::Read, false, repeat);
  Report("full write", TransferDirection::Write, false, repeat);
  if (!skipSilent) Report("no radio", TransferDirection::Read, true, repeat);
  if (!skipCancel) {
    // Handshake, early and late blocks, and inside the sleeps and reads of
    // a block (a read block takes about 40 ms on the line).
    ReportCancel("read", false, {5, 12, 333, 1017, 2503, 4444, 6001, 7013, 8888, 9999});
    // The radio never answers: each cancel lands in a 590 ms read wait.
    ReportCancel("no radio", true, {100, 450, 1300, 2222});
  }
  if (!skipLatency) {
    std::printf("through an adapter holding every reply %d ms\n", kAdapterLatencyMs);
    Report("read 16ms", TransferDirection::Read, false, repeat, kAdapterLatencyMs);
    Report("write 16ms", TransferDirection::Write, false, repeat, kAdapterLatencyMs);
  }
  return 0;
}
