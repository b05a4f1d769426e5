#include "transfer_doubles.h"

#include <algorithm>

#include "link/cancel_token.h"
#include "link/radio_frames.h"

namespace korvel::test {

Reply Data(Bytes bytes) { return Reply{Reply::Data, std::move(bytes)}; }
Reply Silence() { return Reply{Reply::Silence, {}}; }
Reply PortError() { return Reply{Reply::Error, {}}; }

bool ScriptedPort::Open(const std::string& name) {
  ++opens;
  openedName = name;
  open_ = openSucceeds;
  if (!open_) lastError_ = name + ": open: Device or resource busy";
  return open_;
}

bool ScriptedPort::Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) {
  *received = 0;
  const Reply& next = script.empty() ? Reply{} : script.front();
  // About a millisecond a byte at 9600 baud; a short reply ends with the
  // interval gap, silence with the whole total time-out.
  const std::size_t got = std::min(n, next.bytes.size());
  const long long wait = next.kind == Reply::Silence
                             ? static_cast<long long>(n) * timeouts_.readTotalPerByteMs + timeouts_.readTotalConstantMs
                             : static_cast<long long>(got) + (got < n ? timeouts_.readIntervalMs : 0);
  if (!clock_.Advance(wait, cancel_)) return true;  // cut short: nothing came yet
  Reply reply = Silence();
  if (!script.empty()) {
    reply = std::move(script.front());
    script.pop_front();
  }
  std::copy_n(reply.bytes.begin(), got, buffer);
  *received = got;
  if (reply.kind == Reply::Error) lastError_ = openedName + ": read: Input/output error";
  return reply.kind != Reply::Error;
}

bool ScriptedPort::Write(const std::uint8_t* data, std::size_t n) {
  writes.emplace_back(data, data + n);
  const bool ok = failingWrites.count(writes.size() - 1) == 0;
  if (!ok) lastError_ = openedName + ": write: Input/output error";
  return ok;
}

void ScriptHandshake(ScriptedPort& port, std::uint8_t identType) {
  port.script.push_back(Data({frames::kAck}));
  port.script.push_back(Data({0x10, 0x20, 0x30, 0x40, identType, 0x60, 0x70, 0x80}));
  port.script.push_back(Data({frames::kAck}));
}

void ScriptReadBlocks(ScriptedPort& port, const MemoryImage& radio, int first, int last) {
  for (int n = first; n < last; ++n) {
    Bytes reply = {0xA0, 0xA1, 0xA2, 0xA3};
    reply.insert(reply.end(), radio.begin() + n * 8, radio.begin() + n * 8 + 8);
    port.script.push_back(Data(reply));
    port.script.push_back(Data({frames::kAck}));
  }
}

void ScriptWriteAcks(ScriptedPort& port, int count) {
  for (int n = 0; n < count; ++n) port.script.push_back(Data({frames::kAck}));
}

}  // namespace korvel::test
