// The simulator's server in a thread, talked to through the program's own
// serial port on the pseudo-terminal it serves. That every byte value crosses
// it both ways is seen by the fleet's write and verify through three servers
// and the paced read (cli_paced_test).

#include "pty_server.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

#include "link/cancel_token.h"
#include "link/posix_serial_port.h"
#include "port_holder.h"
#include "temp_dir.h"
#include "test_files.h"

namespace korvel::radiosim {
namespace {

using Bytes = std::vector<std::uint8_t>;

class ServedRadio {
 public:
  explicit ServedRadio(bool paced = false, std::string link = {})
      : protocol(NewImage(), 0x38), server(protocol, ServerOptions{paced, std::move(link), nullptr}) {
    std::string error;
    opened = server.Open(&error);
    EXPECT_TRUE(opened) << error;
    if (opened) thread = std::thread([this] { server.Run(nullptr); });
  }
  ~ServedRadio() { Stop(); }
  void Stop() {
    server.RequestStop();
    if (thread.joinable()) thread.join();
  }
  RadioProtocol protocol;
  PtyServer server;
  bool opened = false;
  std::thread thread;
};

class Pc {
 public:
  bool Open(const std::string& device) { return port.Open(device, PortConfig{}); }
  void Send(const Bytes& bytes) { ASSERT_TRUE(port.Write(bytes.data(), bytes.size())); }
  Bytes Receive(std::size_t n) {
    Bytes buffer(n);
    std::size_t got = 0;
    EXPECT_TRUE(port.Read(buffer.data(), n, &got));
    buffer.resize(got);
    return buffer;
  }
  void Handshake() {
    for (std::uint8_t b : kGreeting) Send({b});
    EXPECT_EQ(Receive(1), Bytes{0x06});
    Send({'M', 0x02});
    EXPECT_EQ(Receive(8).size(), 8u);
    Send({0x06});
    EXPECT_EQ(Receive(1), Bytes{0x06});
  }
  CancelToken cancel;
  PosixSerialPort port{cancel};
};

// The link names the device while the server runs, and the server keeps
// serving as the PC side is opened and closed again.
TEST(PtyServer, LinkNamesTheDeviceAndServesSessionAfterSession) {
  korvel::test::TempDir dir;
  const std::string link = dir.File("radio");
  {
    ServedRadio radio(false, link);
    ASSERT_TRUE(radio.opened);
    char target[256] = {};
    ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), radio.server.DevicePath());
    for (int session = 0; session < 3; ++session) {
      Pc pc;
      ASSERT_TRUE(pc.Open(link)) << "session " << session << ": " << pc.port.LastError();
      pc.Handshake();
    }
    radio.Stop();
    EXPECT_EQ(radio.protocol.Handshakes(), 3);
  }
  EXPECT_FALSE(korvel::test::Exists(link));
}

TEST(PtyServer, PacedRepliesTakeTheLineTimeOfTheirBytes) {
  ServedRadio radio(true);
  ASSERT_TRUE(radio.opened);
  Pc pc;
  ASSERT_TRUE(pc.Open(radio.server.DevicePath()));
  pc.Handshake();
  const auto start = std::chrono::steady_clock::now();
  pc.Send({'R', 0x00, 0x00, 0x08});
  EXPECT_EQ(pc.Receive(12).size(), 12u);
  // 4 bytes out and 12 back at 10 bits each: never sooner than 16 character times.
  EXPECT_GE(std::chrono::steady_clock::now() - start, 16 * kCharacterTime);
}

TEST(PortHolder, HeldDeviceCannotBeOpenedUntilReleased) {
  ServedRadio radio;
  ASSERT_TRUE(radio.opened);
  PortHolder holder;
  std::string error;
  ASSERT_TRUE(holder.Hold(radio.server.DevicePath(), &error)) << error;
  CancelToken cancel;
  PosixSerialPort port(cancel);
  EXPECT_FALSE(port.Open(radio.server.DevicePath(), {}));
  PortHolder second;
  EXPECT_FALSE(second.Hold(radio.server.DevicePath(), &error));
  holder.Release();
  EXPECT_TRUE(port.Open(radio.server.DevicePath(), {})) << port.LastError();
}

}  // namespace
}  // namespace korvel::radiosim
