#include "transfer_doubles.h"

#include <algorithm>

#include "link/radio_frames.h"

namespace korvel::test {

void FakeClock::SleepMs(int ms) {
  elapsedMs += ms;
  log_.push_back("sleep " + std::to_string(ms));
}

Reply Data(Bytes bytes) { return Reply{Reply::Data, std::move(bytes)}; }
Reply Silence() { return Reply{Reply::Silence, {}}; }
Reply PortError() { return Reply{Reply::Error, {}}; }

bool ScriptedPort::Open(const std::string& name) {
  ++opens;
  openedName = name;
  log_.push_back("open " + name);
  open_ = openSucceeds;
  return open_;
}

bool ScriptedPort::Read(std::uint8_t* buffer, std::size_t n, std::size_t* received) {
  log_.push_back("read " + std::to_string(n));
  Reply reply = Silence();
  if (!script.empty()) {
    reply = std::move(script.front());
    script.pop_front();
  }
  const std::size_t got = std::min(n, reply.bytes.size());
  std::copy_n(reply.bytes.begin(), got, buffer);
  *received = got;
  // About a millisecond a byte at 9600 baud; a short reply ends with the
  // interval gap, silence with the whole total time-out.
  if (reply.kind == Reply::Silence)
    clock_.elapsedMs += static_cast<long long>(n) * timeouts_.readTotalPerByteMs + timeouts_.readTotalConstantMs;
  else
    clock_.elapsedMs += static_cast<long long>(got) + (got < n ? timeouts_.readIntervalMs : 0);
  return reply.kind != Reply::Error;
}

bool ScriptedPort::Write(const std::uint8_t* data, std::size_t n) {
  writes.emplace_back(data, data + n);
  log_.push_back("write");
  return failingWrites.count(writes.size() - 1) == 0;
}

void ScriptedPort::Close() {
  ++closes;
  open_ = false;
  log_.push_back("close");
}

void RecordingHost::SetStatusText(const std::string& text) {
  statuses.push_back(text);
  log_.push_back("status " + text);
}

void RecordingHost::PumpPass() {
  ++passes;
  if (passes == cancelAtPass) cancel = true;
  log_.push_back("pump");
}

void RecordingHost::CloseDialog() {
  ++dialogCloses;
  log_.push_back("close dialog");
}

void RecordingHost::CollectGrid(MemoryImage& image) {
  image.fill(collectedMarker);
  log_.push_back("collect");
}

void RecordingHost::FillGrid(const MemoryImage&) {
  ++fills;
  log_.push_back("fill");
}

Answer RecordingHost::Ask(const Prompt& prompt) {
  prompts.push_back(prompt.text);
  log_.push_back("prompt " + prompt.text);
  promptWithWatchSet = promptWithWatchSet || watch;
  if (prompt.buttons == Buttons::Ok) return Answer::Ok;
  if (answers.empty()) return Answer::Cancel;
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
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

MemoryImage PatternImage(std::uint8_t seed) {
  MemoryImage image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(seed + i * 7 + i / 256);
  return image;
}

}  // namespace korvel::test
