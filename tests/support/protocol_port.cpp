#include "protocol_port.h"

namespace korvel::test {

bool ProtocolPort::Open(const std::string& name) {
  openedName_ = name;
  if (openFails) {
    lastError_ = name + ": open: Device or resource busy";
    return false;
  }
  ++opens_;
  open_ = true;
  input_.clear();
  return true;
}

void ProtocolPort::Fail(const char* what) { lastError_ = openedName_ + ": " + what + ": Input/output error"; }

bool ProtocolPort::Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) {
  *received = 0;
  if (!open_ || CableOut()) {
    Fail("read");
    return false;
  }
  while (*received < n && !input_.empty()) {
    buffer[(*received)++] = input_.front();
    input_.pop_front();
  }
  if (*received < n) {
    // Nothing more comes: the read waits out its time-out (the gap after the
    // last byte, or the whole total when none came), unless cancelled.
    const long long wait = *received > 0 ? timeouts_.readIntervalMs
                                         : static_cast<long long>(n) * timeouts_.readTotalPerByteMs +
                                               timeouts_.readTotalConstantMs;
    if (clock_.Advance(wait, cancel_) && *received == 0) radio_.LineQuiet();
  }
  return true;
}

bool ProtocolPort::Write(const std::uint8_t* data, std::size_t n) {
  const bool cableOut = CableOut();
  ++writeCalls_;
  if (!open_ || cableOut) {
    Fail("write");
    return false;
  }
  writes_.emplace_back(data, data + n);
  std::vector<std::uint8_t> reply;
  for (std::size_t i = 0; i < n; ++i) radio_.Feed(data[i], reply);
  input_.insert(input_.end(), reply.begin(), reply.end());
  radioBytes_.insert(radioBytes_.end(), reply.begin(), reply.end());
  return true;
}

Bytes ProtocolPort::PcBytes() const {
  Bytes all;
  for (const Bytes& write : writes_) all.insert(all.end(), write.begin(), write.end());
  return all;
}

}  // namespace korvel::test
