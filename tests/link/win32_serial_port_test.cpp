// Win32SerialPort on the COM port tests/support/wine_radio_port.sh wires to
// the Linux simulated radio (--fast) and names in KORVEL_RADIO_COM.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "link/win32_serial_port.h"
#include "transfer_rig.h"

namespace korvel {
namespace {

class RadioPort : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(com_.empty()) << "run through tests/support/wine_radio_port.sh"; }
  // Whether a read of up to n bytes succeeded, and what came.
  std::pair<bool, test::Bytes> Read(std::size_t n) {
    test::Bytes bytes(n);
    std::size_t got = 0;
    const bool ok = port_.Read(bytes.data(), n, &got);
    bytes.resize(got);
    return {ok, bytes};
  }

  const std::string com_ = std::getenv("KORVEL_RADIO_COM") ? std::getenv("KORVEL_RADIO_COM") : "";
  CancelToken cancel_;
  Win32SerialPort port_{cancel_};
};

// The radio's port opens; one the machine lacks does not, and says so; one
// another handle holds does not either (Windows refuses it, Wine does not).
TEST_F(RadioPort, OpensAPresentPortNobodyHolds) {
  EXPECT_FALSE(port_.Open("COM249", PortConfig{}));
  EXPECT_EQ(port_.LastError().find("\\\\.\\COM249: CreateFileA: "), 0u) << port_.LastError();
  EXPECT_NE(port_.LastError().find(" — no such port"), std::string::npos) << port_.LastError();
  ASSERT_TRUE(port_.Open(com_, PortConfig{})) << port_.LastError();
  EXPECT_EQ(port_.LastError(), "");
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  if (::GetProcAddress(ntdll, "wine_get_version") != nullptr) GTEST_SKIP() << "Wine lets a COM port open twice";
  Win32SerialPort second(cancel_);
  EXPECT_FALSE(second.Open(com_, PortConfig{}));
  EXPECT_NE(second.LastError().find("in use by another program"), std::string::npos) << second.LastError();
}

// The greeting is acknowledged; a read with nothing coming ends within its
// time-outs with no bytes and no error; so does one that a cancel from
// another thread cuts short (the 60 s bound only guards against a hang).
TEST_F(RadioPort, ReadsTheAnswerOrNothingOrUntilCancelled) {
  ASSERT_TRUE(port_.Open(com_, PortConfig{kCloneTimeouts})) << port_.LastError();
  const test::Bytes greeting = {0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
  ASSERT_TRUE(port_.Write(greeting.data(), greeting.size())) << port_.LastError();
  EXPECT_EQ(Read(1), std::make_pair(true, test::Bytes{0x06}));
  EXPECT_EQ(Read(1), std::make_pair(true, test::Bytes{})) << port_.LastError();

  ASSERT_TRUE(port_.Open(com_, PortConfig{SerialTimeouts{0, 0, 120000, 50, 50}})) << port_.LastError();
  const auto start = std::chrono::steady_clock::now();
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    cancel_.Raise();
  });
  EXPECT_EQ(Read(1), std::make_pair(true, test::Bytes{})) << port_.LastError();
  canceller.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

// A clone write and a read back through the port: the radio keeps what was
// written, byte for byte.
TEST_F(RadioPort, CloneWriteThenReadReturnsTheImage) {
  MemoryImage image = test::PatternImage(7);
  image[settings::kRadioType] = NewImage()[settings::kRadioType];  // the simulated radio's type
  test::ScriptedPrompter prompter;
  test::RecordingEvents events(prompter);
  CloneTransfer transfer(port_, SystemClock::Instance(), events, cancel_, events);
  const TransferOutcome written = transfer.Write(com_, image);
  ASSERT_EQ(written.result, TransferResult::Completed) << written.detail;
  const TransferOutcome read = transfer.Read(com_);
  ASSERT_EQ(read.result, TransferResult::Completed) << read.detail;
  EXPECT_EQ(test::ImageBytes(read.image.value()), test::ImageBytes(image));
  EXPECT_TRUE(prompter.asked.empty());
}

}  // namespace
}  // namespace korvel
