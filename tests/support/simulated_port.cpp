#include "simulated_port.h"

namespace korvel::test {

bool ProtocolSide::Take(const std::uint8_t* data, std::size_t n, Bytes& answer) {
  for (std::size_t i = 0; i < n; ++i) radio_.Feed(data[i], answer);
  return true;
}

namespace {

// One exchange's port: the shared port, read with the exchange's token.
class ExchangePort final : public SerialPort {
 public:
  ExchangePort(SimulatedPort& port, const CancelToken& cancel) : port_(port), cancel_(cancel) {}
  bool Open(const std::string& name, const PortConfig& config) override { return port_.Open(name, config); }
  bool Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) override {
    return port_.Read(buffer, n, received, cancel_);
  }
  bool Write(const std::uint8_t* data, std::size_t n) override { return port_.Write(data, n); }
  void DiscardInput() override { port_.DiscardInput(); }
  void Close() override { port_.Close(); }
  std::string LastError() const override { return port_.LastError(); }

 private:
  SimulatedPort& port_;
  const CancelToken& cancel_;
};

}  // namespace

PortFactory SimulatedPort::Factory() {
  return [this](const CancelToken& cancel) { return std::make_unique<ExchangePort>(*this, cancel); };
}

bool SimulatedPort::Open(const std::string& name, const PortConfig& config) {
  openedName_ = name;
  if (openFails || !radio_.Opens()) {
    lastError_ = name + ": open: Device or resource busy";
    return false;
  }
  ++opens_;
  open_ = true;
  config_ = config;
  input_.clear();
  return true;
}

void SimulatedPort::Fail(const char* what) { lastError_ = openedName_ + ": " + what + ": Input/output error"; }

bool SimulatedPort::Read(std::uint8_t* buffer, std::size_t n, std::size_t* received, const CancelToken& cancel) {
  *received = 0;
  usedWhileClosed_ = usedWhileClosed_ || !open_;
  Bytes late;
  if (!open_ || CableOut() || !radio_.BeforeRead(n, late)) {
    Fail("read");
    return false;
  }
  input_.insert(input_.end(), late.begin(), late.end());
  radioBytes_.insert(radioBytes_.end(), late.begin(), late.end());
  while (*received < n && !input_.empty()) {
    buffer[(*received)++] = input_.front();
    input_.pop_front();
  }
  if (*received < n) {
    // Nothing more comes: the read waits out its time-out (the gap after the
    // last byte, or the whole total when none came), unless cancelled.
    const SerialTimeouts& t = config_.timeouts;
    const long long wait = *received > 0 ? t.readIntervalMs
                                         : static_cast<long long>(n) * t.readTotalPerByteMs + t.readTotalConstantMs;
    if (clock_.Advance(wait, &cancel) && *received == 0) radio_.LineQuiet();
  }
  return true;
}

bool SimulatedPort::Write(const std::uint8_t* data, std::size_t n) {
  const bool cableOut = CableOut();
  const std::size_t index = writeCalls_++;
  usedWhileClosed_ = usedWhileClosed_ || !open_;
  Bytes answer;
  if (!open_ || cableOut || failingWrites.count(index) != 0 || !radio_.Take(data, n, answer)) {
    Fail("write");
    return false;
  }
  writes_.emplace_back(data, data + n);
  input_.insert(input_.end(), answer.begin(), answer.end());
  radioBytes_.insert(radioBytes_.end(), answer.begin(), answer.end());
  return true;
}

Bytes SimulatedPort::PcBytes() const {
  Bytes all;
  for (const Bytes& write : writes_) all.insert(all.end(), write.begin(), write.end());
  return all;
}

}  // namespace korvel::test
