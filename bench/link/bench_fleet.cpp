// bench_fleet: korvel-cli's fleet write of one file to four simulated radios
// on four pseudo-terminals at once, each radio paced like a 9600-baud 8N1
// line, against the floor of one write (goal: under 1.1 x); and one write
// with its verify read against the floor of a write plus a read. Prints the
// wall time and the CPU time of the PC side and of the radios.
//
//   bench_fleet [--repeat N] [--radios N]

#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "fleet_write.h"
#include "link/clone_transfer.h"
#include "link/posix_serial_port.h"
#include "link/radio_jobs.h"
#include "model/channel_file.h"
#include "pty_server.h"
#include "radio_protocol.h"
#include "transfer_floor.h"

namespace {

using namespace korvel;
using namespace korvel::radiosim;
using namespace korvel::bench;

double CpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Paced simulated radios, each served on a thread of its own.
class Radios {
 public:
  explicit Radios(int count) {
    for (int i = 0; i < count; ++i) {
      protocols_.push_back(std::make_unique<RadioProtocol>(NewImage(), 0xFF));
      servers_.push_back(std::make_unique<PtyServer>(*protocols_.back(), ServerOptions{true, {}, nullptr}));
      std::string error;
      if (!servers_.back()->Open(&error)) {
        std::fprintf(stderr, "bench_fleet: %s\n", error.c_str());
        std::exit(1);
      }
      threads_.emplace_back([server = servers_.back().get()] { server->Run(nullptr); });
    }
  }
  ~Radios() {
    for (auto& server : servers_) server->RequestStop();
    for (auto& thread : threads_) thread.join();
  }
  std::vector<std::string> Devices() const {
    std::vector<std::string> devices;
    for (const auto& server : servers_) devices.push_back(server->DevicePath());
    return devices;
  }
  double CpuSeconds() {
    double sum = 0;
    for (auto& thread : threads_) {
      clockid_t clock{};
      pthread_getcpuclockid(thread.native_handle(), &clock);
      sum += ::CpuSeconds(clock);
    }
    return sum;
  }
  const MemoryImage& Image(int i) const { return protocols_[static_cast<std::size_t>(i)]->Image(); }

 private:
  std::vector<std::unique_ptr<RadioProtocol>> protocols_;
  std::vector<std::unique_ptr<PtyServer>> servers_;
  std::vector<std::thread> threads_;
};

struct Figures {
  int status = 0;
  double wallMs = 0;
  double cpuMs = 0;       // the PC side: every thread but the radios'
  double radioCpuMs = 0;  // all radios together
};

Figures FleetWrite(int radioCount, const std::string& file, const std::string& log) {
  Radios radios(radioCount);
  cli::FleetOptions options;
  options.file = file;
  options.ports = radios.Devices();
  options.log = log;
  CancelToken cancel;
  // With one radio the fleet asks for the next one: the end of input stops it.
  std::FILE* none = std::fopen("/dev/null", "r");
  std::FILE* null = std::fopen("/dev/null", "w");
  cli::FleetSession session{[&cancel](const std::string&) {
                              return cli::FleetLine{MakeSystemSerialPort(cancel), &SystemClock::Instance()};
                            },
                            cancel, none, null, null, false};
  const double cpu0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
  const double radio0 = radios.CpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  Figures f;
  f.status = cli::WriteFleet(options, session);
  const auto t1 = std::chrono::steady_clock::now();
  f.radioCpuMs = (radios.CpuSeconds() - radio0) * 1e3;
  f.cpuMs = (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0) * 1e3 - f.radioCpuMs;
  f.wallMs = std::chrono::duration<double, std::milli>(t1 - t0).count();
  std::fclose(null);
  std::fclose(none);
  return f;
}

class Silent final : public TransferEvents, public Prompter {
 public:
  void StatusText(const std::string&) override {}
  void Progress(int) override {}
  Answer Ask(const Prompt& prompt) override { return prompt.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel; }
};

Figures VerifiedWrite() {
  Radios radios(1);
  Silent silent;
  CancelToken cancel;
  PosixSerialPort port(cancel);
  CloneTransfer transfer(port, SystemClock::Instance(), silent, cancel, silent);
  WriteJobOptions options;
  options.verify = true;
  const double radio0 = radios.CpuSeconds();
  const double cpu0 = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
  const auto t0 = std::chrono::steady_clock::now();
  const WriteJobOutcome job = RunWriteJob(transfer, radios.Devices()[0], NewImage(), options);
  const auto t1 = std::chrono::steady_clock::now();
  Figures f;
  f.status = job.Succeeded() ? 0 : 1;
  f.cpuMs = (CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpu0) * 1e3;
  f.radioCpuMs = (radios.CpuSeconds() - radio0) * 1e3;
  f.wallMs = std::chrono::duration<double, std::milli>(t1 - t0).count();
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 1;
  int radioCount = 4;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--radios") == 0 && i + 1 < argc) {
      radioCount = std::clamp(std::atoi(argv[++i]), 1, 64);
    } else {
      std::fprintf(stderr, "usage: bench_fleet [--repeat N] [--radios N]\n");
      return 2;
    }
  }
  char folder[] = "/tmp/bench-fleet-XXXXXX";
  if (::mkdtemp(folder) == nullptr) return 1;
  const std::string file = std::string(folder) + "/file.sin";
  const std::string log = std::string(folder) + "/log.csv";
  if (!SaveChannelFile(file, NewImage())) return 1;

  // The floors as bench_link prints them: every byte and every sleep one
  // after the other, and the tighter one whose sleeps overlap bytes still
  // on the line.
  const Floor write = TransferFloor(TransferDirection::Write);
  const Floor read = TransferFloor(TransferDirection::Read);
  const double writeFloor = write.sum;
  const double verifiedFloor = write.sum + read.sum;
  std::printf("paced simulated radios at 9600 baud 8N1 (%.4f ms a character)\n", kCharacterMs);
  std::printf("one write's floor %.1f ms (overlapped %.1f ms); a write and a read %.1f ms (overlapped %.1f ms)\n",
              write.sum, write.overlapped, verifiedFloor, write.overlapped + read.overlapped);
  for (int i = 0; i < repeat; ++i) {
    const Figures f = FleetWrite(radioCount, file, log);
    std::printf("fleet write to %2d radios at once: %-11s wall %8.1f ms  x%5.3f one write's floor (x%5.3f overlapped)  "
                "cpu %6.1f ms  radios' cpu %6.1f ms\n",
                radioCount, f.status == 0 ? "all written" : "FAILED", f.wallMs, f.wallMs / writeFloor,
                f.wallMs / write.overlapped, f.cpuMs, f.radioCpuMs);
    std::fflush(stdout);
  }
  for (int i = 0; i < repeat; ++i) {
    const Figures f = VerifiedWrite();
    std::printf("write and verify, one radio:     %-11s wall %8.1f ms  x%5.3f write + read floor (x%5.3f overlapped)  "
                "cpu %6.1f ms  radio's cpu %6.1f ms\n",
                f.status == 0 ? "verified" : "FAILED", f.wallMs, f.wallMs / verifiedFloor,
                f.wallMs / (write.overlapped + read.overlapped), f.cpuMs, f.radioCpuMs);
    std::fflush(stdout);
  }
  ::unlink(file.c_str());
  ::unlink(log.c_str());
  ::rmdir(folder);
  return 0;
}
