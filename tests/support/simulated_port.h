#pragma once
// The one fake serial port of the tests and the fuzzer, on simulated time.
// What the PC writes goes to a radio side at once, what the radio answers
// waits in the input queue, and a read that finds too few bytes advances
// the clock by the time-out it would have waited (cut short by the port's
// cancel token). The radio side is the simulated radio's protocol, or any
// other source of replies (the fuzzer's). The port itself can be held by
// another program, or have its cable pulled at a chosen write.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "link/cancel_token.h"
#include "link/serial_port.h"
#include "radio_protocol.h"
#include "simulated_clock.h"

namespace korvel::test {

using Bytes = std::vector<std::uint8_t>;

// The radio's end of a SimulatedPort.
class RadioSide {
 public:
  virtual ~RadioSide() = default;
  // Called at each Open; false when the port turns out held.
  virtual bool Opens() { return true; }
  // The PC's bytes of one write; the radio's answer goes to `answer`.
  // False when the write fails.
  virtual bool Take(const std::uint8_t* data, std::size_t n, Bytes& answer) = 0;
  // A read of n bytes is about to look at the input: a radio answering
  // late appends to `answer` now. False when the read fails.
  virtual bool BeforeRead(std::size_t /*n*/, Bytes& /*answer*/) { return true; }
  // A read waited its whole time-out without a byte.
  virtual void LineQuiet() {}
};

// The simulated radio: its protocol fed byte by byte. Once its hang-up
// fault has struck, reads fail as on a hung-up line.
class ProtocolSide final : public RadioSide {
 public:
  explicit ProtocolSide(radiosim::RadioProtocol& radio) : radio_(radio) {}
  bool Take(const std::uint8_t* data, std::size_t n, Bytes& answer) override;
  bool BeforeRead(std::size_t, Bytes&) override { return !radio_.HungUp(); }
  void LineQuiet() override { radio_.LineQuiet(); }

 private:
  radiosim::RadioProtocol& radio_;
};

class SimulatedPort final : public SerialPort {
 public:
  // Reads are cut short by cancel; without one, only the ports Factory()
  // makes are (each by its own exchange's token).
  SimulatedPort(RadioSide& radio, SimulatedClock& clock, const CancelToken& cancel)
      : radio_(radio), clock_(clock), cancel_(cancel) {}
  explicit SimulatedPort(RadioSide& radio, SimulatedClock& clock) : SimulatedPort(radio, clock, never_) {}
  // On the simulated radio's protocol.
  SimulatedPort(radiosim::RadioProtocol& radio, SimulatedClock& clock, const CancelToken& cancel)
      : owned_(std::make_unique<ProtocolSide>(radio)), radio_(*owned_), clock_(clock), cancel_(cancel) {}
  SimulatedPort(radiosim::RadioProtocol& radio, SimulatedClock& clock) : SimulatedPort(radio, clock, never_) {}

  // For code that makes its port per exchange: every port made is this one
  // (its faults, its records), with that exchange's cancel token.
  PortFactory Factory();

  bool Open(const std::string& name, const PortConfig& config) override;
  bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) override {
    return Read(buffer, n, received, cancel_);
  }
  bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received, const CancelToken& cancel);
  bool Write(const std::uint8_t* data, std::size_t n) override;
  void DiscardInput() override { input_.clear(); }
  void Close() override { open_ = false; }
  std::string LastError() const override { return lastError_; }

  bool IsOpen() const { return open_; }
  // What the PC wrote, call by call (the writes that went out), and every
  // byte the radio sent.
  const std::vector<Bytes>& Writes() const { return writes_; }
  Bytes PcBytes() const;
  const Bytes& RadioBytes() const { return radioBytes_; }
  const SerialTimeouts& Timeouts() const { return config_.timeouts; }
  int Opens() const { return opens_; }
  const std::string& OpenedName() const { return openedName_; }
  // A read or write was made while the port was closed.
  bool UsedWhileClosed() const { return usedWhileClosed_; }

  // The port cannot be opened (missing or held).
  bool openFails = false;
  // Once this many writes have been made, the cable is out: every later
  // read and write fails with EIO (the reply to the last write that went
  // out is lost with it).
  std::optional<std::size_t> pullCableAtWrite;
  // The writes (counted from 0) that fail on their own, the line staying.
  std::set<std::size_t> failingWrites;

 private:
  bool CableOut() const { return pullCableAtWrite && writeCalls_ >= *pullCableAtWrite; }
  void Fail(const char* what);

  CancelToken never_;
  std::unique_ptr<RadioSide> owned_;
  RadioSide& radio_;
  SimulatedClock& clock_;
  const CancelToken& cancel_;
  PortConfig config_{};
  std::deque<std::uint8_t> input_;
  std::vector<Bytes> writes_;
  Bytes radioBytes_;
  std::string openedName_;
  std::string lastError_;
  bool open_ = false;
  bool usedWhileClosed_ = false;
  int opens_ = 0;
  std::size_t writeCalls_ = 0;
};

}  // namespace korvel::test
