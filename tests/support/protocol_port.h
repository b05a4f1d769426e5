#pragma once
// A serial port wired straight to the simulated radio's protocol, on
// simulated time: what the PC writes is fed to the radio at once, what the
// radio answers waits in the input queue, and a read that finds too few
// bytes advances the clock by the time-out it would have waited. The cable
// can be pulled at a chosen write.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "link/serial_port.h"
#include "radio_protocol.h"
#include "simulated_clock.h"

namespace korvel::test {

using Bytes = std::vector<std::uint8_t>;

class ProtocolPort final : public SerialPort {
 public:
  ProtocolPort(radiosim::RadioProtocol& radio, SimulatedClock& clock) : radio_(radio), clock_(clock) {}

  bool Open(const std::string& name) override;
  void SetQueueSizes(std::size_t, std::size_t) override {}
  void SetTimeouts(const SerialTimeouts& timeouts) override { timeouts_ = timeouts; }
  void ConfigureLine(const LineSettings&) override {}
  void PurgeAll() override { input_.clear(); }
  void ClearQueues() override { input_.clear(); }
  bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) override;
  bool Write(const std::uint8_t* data, std::size_t n) override;
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void SetCancelToken(const CancelToken* cancel) override { cancel_ = cancel; }
  std::string LastError() const override { return lastError_; }

  // What the PC wrote, call by call, and every byte the radio sent.
  const std::vector<Bytes>& Writes() const { return writes_; }
  Bytes PcBytes() const;
  const Bytes& RadioBytes() const { return radioBytes_; }
  const SerialTimeouts& Timeouts() const { return timeouts_; }
  int Opens() const { return opens_; }
  const std::string& OpenedName() const { return openedName_; }

  // The port cannot be opened (missing or held).
  bool openFails = false;
  // Once this many writes have been made, the cable is out: every later
  // read and write fails with EIO (the reply to the last write that went
  // out is lost with it).
  std::optional<std::size_t> pullCableAtWrite;

 private:
  bool CableOut() const { return pullCableAtWrite && writeCalls_ >= *pullCableAtWrite; }
  void Fail(const char* what);

  radiosim::RadioProtocol& radio_;
  SimulatedClock& clock_;
  const CancelToken* cancel_ = nullptr;
  SerialTimeouts timeouts_{};
  std::deque<std::uint8_t> input_;
  std::vector<Bytes> writes_;
  Bytes radioBytes_;
  std::string openedName_;
  std::string lastError_;
  bool open_ = false;
  int opens_ = 0;
  std::size_t writeCalls_ = 0;
};

}  // namespace korvel::test
