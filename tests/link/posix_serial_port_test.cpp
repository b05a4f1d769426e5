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
#include "scoped_env.h"

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

// How one read ends: its time-outs, a hang-up of the other side (an error,
// not a time-out) and a cancel from another thread (at once, keeping the
// bytes it had, no error). The other side acts `afterMs` into the read.
TEST_F(PtyPair, ReadEndsOnItsTimeOutsAHangUpOrACancel) {
  enum class Then { Nothing, Trickle, HangUp, Cancel };
  const struct {
    const char* name;
    SerialTimeouts timeouts;
    bool earlyByte;  // one byte waits before the read
    Then then;
    int afterMs;
    std::size_t n;
    bool ok;
    std::size_t got;
    long long minMs, maxMs;
  } cases[] = {
      {"nothing arrives: 2 x 100 + 100 ms", {30, 100, 100, 50, 50}, false, Then::Nothing, 0, 2, true, 0, 290, 2000},
      {"one byte, then silence: the 30 ms gap ends it", {30, 100, 100, 50, 50}, true, Then::Nothing, 0, 8, true, 1,
       0, 600},
      {"a trickle with gaps below the interval: one read", {200, 100, 100, 50, 50}, false, Then::Trickle, 40, 3,
       true, 3, 0, 2000},
      // Without the cancel the gap would end it at 30 ms: 12 bytes of a
      // 1-byte-per-second radio.
      {"cancelled", {5000, 500, 90, 50, 50}, true, Then::Cancel, 20, 12, true, 1, 0, 1000},
      // Last: the other side is gone.
      {"the other side hangs up: would wait 4090 ms", kCloneTimeouts, false, Then::HangUp, 50, 8, false, 0, 0, 3000},
  };
  const std::uint8_t early = 0x42;
  PosixSerialPort port(cancel_);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    cancel_.Reset();
    ASSERT_TRUE(Open(port, c.timeouts));
    if (c.earlyByte) {
      ASSERT_EQ(::write(master_, &early, 1), 1);
    }
    std::thread other([&] {
      for (std::uint8_t b = 1; b <= (c.then == Then::Trickle ? 3 : 1) && c.then != Then::Nothing; ++b) {
        std::this_thread::sleep_for(milliseconds(c.afterMs));
        if (c.then == Then::Trickle) (void)!::write(master_, &b, 1);
        if (c.then == Then::HangUp) HangUp();
        if (c.then == Then::Cancel) cancel_.Raise();
      }
    });
    std::size_t got = 99;
    bool ok = !c.ok;
    const long long ms = TimedRead(port, c.n, &got, &ok);
    other.join();
    EXPECT_EQ(ok, c.ok);
    EXPECT_EQ(got, c.got);
    EXPECT_GE(ms, c.minMs);
    EXPECT_LT(ms, c.maxMs);
  }
  // The hung-up port says so on a read and on a write.
  EXPECT_EQ(port.LastError().rfind(device_ + ": read", 0), 0u) << port.LastError();
  EXPECT_FALSE(port.Write(&early, 1));
  EXPECT_EQ(port.LastError().rfind(device_ + ": write", 0), 0u) << port.LastError();
}

// Only a terminal opens, and only one port holds it at a time, in this
// process or another.
TEST_F(PtyPair, OpenIsRefusedOrExclusiveUntilClosed) {
  PosixSerialPort first(cancel_);
  PosixSerialPort second(cancel_);
  EXPECT_FALSE(first.Open("/dev/korvel-no-such-device", {}));
  EXPECT_FALSE(first.IsOpen());
  EXPECT_FALSE(first.Open("/dev/null", {})) << "not a terminal";
  EXPECT_FALSE(first.IsOpen());
  ASSERT_TRUE(first.Open(device_, {}));
  EXPECT_FALSE(second.Open(device_, {}));
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
  const test::ScopedEnv two("KORVEL_COM2", "/tmp/radio-two");
  std::string four;
  {
    const test::ScopedEnv unset("KORVEL_COM4", std::nullopt);
    EXPECT_EQ(ResolvePortDevice("COM2"), "/tmp/radio-two");
    four = ResolvePortDevice("COM4");
    EXPECT_TRUE(four == "/dev/ttyUSB3" || four == "/dev/ttyS3") << four;
  }
  const test::ScopedEnv empty("KORVEL_COM4", "");  // empty counts as unset
  EXPECT_EQ(ResolvePortDevice("COM4"), four);
  for (const char* other : {"COM5", "com2", "COM", "COM22", "/dev/pts/7"}) EXPECT_EQ(ResolvePortDevice(other), other);
}

}  // namespace
}  // namespace korvel
