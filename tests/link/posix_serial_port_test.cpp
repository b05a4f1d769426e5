// PosixSerialPort over a real pseudo-terminal pair, and the port names.
// Timing bounds are generous: they tell a time-out rule from its absence,
// not the scheduler's precision.

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "link/port_names.h"
#include "link/cancel_token.h"
#include "link/posix_serial_port.h"

namespace korvel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using std::chrono::milliseconds;

class PtyPair : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[128] = {};
    ASSERT_EQ(::openpty(&master_, &slave_, name, nullptr, nullptr), 0);
    device_ = name;
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  }
  void TearDown() override {
    if (master_ >= 0) ::close(master_);
    ::close(slave_);
  }
  void HangUp() {
    ::close(master_);
    master_ = -1;
  }
  Bytes ReadMaster(std::size_t n, int tries = 200) {
    Bytes bytes(n);
    std::size_t got = 0;
    for (; got < n && tries > 0; --tries) {
      const ssize_t r = ::read(master_, bytes.data() + got, n - got);
      if (r > 0) got += static_cast<std::size_t>(r);
      else std::this_thread::sleep_for(milliseconds(5));
    }
    bytes.resize(got);
    return bytes;
  }
  // Milliseconds one read took.
  long long TimedRead(PosixSerialPort& port, std::size_t n, std::size_t* got, bool* ok) {
    const auto start = std::chrono::steady_clock::now();
    Bytes buffer(n);
    *ok = port.Read(buffer.data(), n, got);
    return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start).count();
  }
  bool Open(PosixSerialPort& port, const SerialTimeouts& timeouts) {
    port.Close();
    return port.Open(device_, PortConfig{timeouts});
  }

  CancelToken cancel_;
  int master_ = -1;
  int slave_ = -1;
  std::string device_;
};

// Every byte value goes through unchanged both ways: no echo, no line
// discipline, no XON/XOFF, no CR/LF translation.
TEST_F(PtyPair, BinaryBytesTravelBothWaysUnchanged) {
  PosixSerialPort port(cancel_);
  ASSERT_TRUE(Open(port, kCloneTimeouts));
  Bytes all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
  ASSERT_TRUE(port.Write(all.data(), all.size()));
  EXPECT_EQ(ReadMaster(all.size()), all);

  ASSERT_EQ(::write(master_, all.data(), all.size()), 256);
  Bytes received(256);
  std::size_t got = 0;
  ASSERT_TRUE(port.Read(received.data(), received.size(), &got));
  EXPECT_EQ(got, 256u);
  EXPECT_EQ(received, all);
  EXPECT_TRUE(ReadMaster(1, 10).empty());  // nothing echoed back
}

// Discarding the input drops what has come in, never what was just
// written: write() returns before the bytes have left.
TEST_F(PtyPair, DiscardInputDropsInputButNotBytesJustWritten) {
  PosixSerialPort port(cancel_);
  ASSERT_TRUE(Open(port, SerialTimeouts{30, 20, 20, 50, 50}));
  const Bytes stale = {1, 2, 3};
  ASSERT_EQ(::write(master_, stale.data(), stale.size()), 3);
  std::this_thread::sleep_for(milliseconds(20));
  port.DiscardInput();
  std::uint8_t buffer[3];
  std::size_t got = 99;
  EXPECT_TRUE(port.Read(buffer, 3, &got));
  EXPECT_EQ(got, 0u);

  const Bytes command = {'W', 0x01, 0x08, 0x08};
  for (int round = 0; round < 20; ++round) {
    ASSERT_TRUE(port.Write(command.data(), command.size()));
    port.DiscardInput();
    ASSERT_EQ(ReadMaster(command.size()), command) << round;
  }
}

TEST_F(PtyPair, ReadEndsOnTotalTimeOutAndOnIntervalGap) {
  PosixSerialPort port(cancel_);
  ASSERT_TRUE(Open(port, SerialTimeouts{30, 100, 100, 50, 50}));
  std::size_t got = 99;
  bool ok = false;
  // Nothing arrives: 2 x 100 + 100 ms.
  long long ms = TimedRead(port, 2, &got, &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(got, 0u);
  EXPECT_GE(ms, 290);
  EXPECT_LT(ms, 2000);

  // One byte, then silence: the 30 ms gap ends the read long before 900 ms.
  const std::uint8_t byte = 0x42;
  ASSERT_EQ(::write(master_, &byte, 1), 1);
  ms = TimedRead(port, 8, &got, &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(got, 1u);
  EXPECT_LT(ms, 600);

  // A trickle with gaps below the interval is collected in one read.
  ASSERT_TRUE(Open(port, SerialTimeouts{200, 100, 100, 50, 50}));
  std::thread sender([this] {
    for (std::uint8_t b = 1; b <= 3; ++b) {
      std::this_thread::sleep_for(milliseconds(40));
      (void)!::write(master_, &b, 1);
    }
  });
  ms = TimedRead(port, 3, &got, &ok);
  sender.join();
  EXPECT_TRUE(ok);
  EXPECT_EQ(got, 3u);
}

TEST_F(PtyPair, HangUpOfTheOtherSideIsAnErrorNotATimeOut) {
  PosixSerialPort port(cancel_);
  ASSERT_TRUE(Open(port, kCloneTimeouts));
  std::thread pull([this] {
    std::this_thread::sleep_for(milliseconds(50));
    HangUp();
  });
  std::size_t got = 99;
  bool ok = true;
  const long long ms = TimedRead(port, 8, &got, &ok);  // would wait 4090 ms
  pull.join();
  EXPECT_FALSE(ok);
  EXPECT_EQ(got, 0u);
  EXPECT_LT(ms, 3000);
  EXPECT_EQ(port.LastError().rfind(device_ + ": read", 0), 0u) << port.LastError();

  const std::uint8_t byte = 0x06;
  EXPECT_FALSE(port.Write(&byte, 1));
  EXPECT_EQ(port.LastError().rfind(device_ + ": write", 0), 0u) << port.LastError();
}

// A cancel from another thread wakes a read of the port made with its
// token, and a sleep, at once: the read keeps the bytes it had and reports
// no error.
TEST_F(PtyPair, CancelCutsAReadAndASleepShort) {
  CancelToken cancel;
  PosixSerialPort port(cancel);
  // Without the cancel the gap after the first byte would end it at 30 ms;
  // read 12 of a slow line instead: a 1-byte-per-second radio.
  ASSERT_TRUE(Open(port, {5000, 500, 90, 50, 50}));
  const std::uint8_t early = 0x42;
  ASSERT_EQ(::write(master_, &early, 1), 1);
  std::thread raise([&] {
    std::this_thread::sleep_for(milliseconds(20));
    cancel.Raise();
  });
  std::size_t got = 0;
  bool ok = false;
  const long long readMs = TimedRead(port, 12, &got, &ok);
  raise.join();
  EXPECT_TRUE(ok);
  EXPECT_EQ(got, 1u);
  EXPECT_LT(readMs, 1000);

  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(SystemClock::Instance().SleepMs(5000, &cancel)) << "raised: the sleep ends at once";
  EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(1000));
  cancel.Reset();
  EXPECT_TRUE(SystemClock::Instance().SleepMs(2, &cancel));
}

// Only a terminal opens, and only one port holds it at a time, in this
// process or another.
TEST_F(PtyPair, OpenIsRefusedOrExclusiveUntilClosed) {
  PosixSerialPort first(cancel_);
  PosixSerialPort second(cancel_);
  EXPECT_FALSE(first.Open("/dev/korvel-no-such-device", {}));
  EXPECT_EQ(first.LastError(), "/dev/korvel-no-such-device: open: No such file or directory");
  EXPECT_FALSE(first.IsOpen());
  EXPECT_FALSE(first.Open("/dev/null", {})) << "not a terminal";
  EXPECT_FALSE(first.IsOpen());
  ASSERT_TRUE(first.Open(device_, {}));
  EXPECT_FALSE(second.Open(device_, {}));
  EXPECT_EQ(second.LastError(), device_ + ": flock: Resource temporarily unavailable");
  EXPECT_FALSE(second.IsOpen());
  first.Close();
  // A /dev/serial/by-id/ name is a link to the device: it opens that port, held as one.
  const std::string link = ::testing::TempDir() + "korvel-by-id-" + std::to_string(::getpid());
  ASSERT_EQ(::symlink(device_.c_str(), link.c_str()), 0);
  ASSERT_TRUE(second.Open(link, {}));
  ::unlink(link.c_str());
  EXPECT_FALSE(first.Open(device_, {}));
  second.Close();

  // Held by another process.
  int ready[2], done[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(done), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    PosixSerialPort held(cancel_);
    const char opened = held.Open(device_, {}) ? 'y' : 'n';
    (void)!::write(ready[1], &opened, 1);
    char c;
    (void)!::read(done[0], &c, 1);
    _exit(0);
  }
  char opened = 0;
  ASSERT_EQ(::read(ready[0], &opened, 1), 1);
  EXPECT_EQ(opened, 'y');
  EXPECT_FALSE(first.Open(device_, {}));
  (void)!::write(done[1], "x", 1);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(first.Open(device_, {}));
  for (int fd : {ready[0], ready[1], done[0], done[1]}) ::close(fd);
}

TEST(PortNames, ComNamesMapThroughTheEnvironmentOthersPassThrough) {
  ::setenv("KORVEL_COM2", "/tmp/radio-two", 1);
  ::unsetenv("KORVEL_COM4");
  EXPECT_EQ(ResolvePortDevice("COM2"), "/tmp/radio-two");
  const std::string four = ResolvePortDevice("COM4");
  EXPECT_TRUE(four == "/dev/ttyUSB3" || four == "/dev/ttyS3") << four;
  ::setenv("KORVEL_COM4", "", 1);  // empty counts as unset
  EXPECT_EQ(ResolvePortDevice("COM4"), four);
  for (const char* other : {"COM5", "com2", "COM", "COM22", "/dev/pts/7"}) EXPECT_EQ(ResolvePortDevice(other), other);
  ::unsetenv("KORVEL_COM2");
  ::unsetenv("KORVEL_COM4");
}

}  // namespace
}  // namespace korvel
