#pragma once
// The simulated radio's protocol fed frames directly: bytes in, bytes out.

#include <cstdint>
#include <optional>
#include <vector>

#include "radio_protocol.h"

namespace korvel::radiosim::test {

using Bytes = std::vector<std::uint8_t>;

inline const Bytes kGreetingBytes(kGreeting.begin(), kGreeting.end());
inline const Bytes kIdentRequest = {'M', 0x02};
inline const Bytes kAckByte = {kAck};

// Memory whose every byte tells its address.
inline MemoryImage Numbered() {
  MemoryImage image;
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  return image;
}

// A block command; a write's carries eight bytes of `fill`.
inline Bytes Command(std::uint8_t c, int block, std::optional<std::uint8_t> fill = {}) {
  const int a = block * 8;
  Bytes frame = {c, static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a & 0xFF), 0x08};
  if (fill) frame.insert(frame.end(), 8, *fill);
  return frame;
}

struct RadioFeeder {
  explicit RadioFeeder(RadioFaults faults = {}, std::uint8_t type = 0x38) : protocol(Numbered(), type, faults) {}
  // Feeds the bytes and returns everything the radio answered to them.
  Bytes Send(const Bytes& bytes) {
    Bytes out;
    for (std::uint8_t b : bytes) protocol.Feed(b, out);
    return out;
  }
  Bytes Greet() { return Send(kGreetingBytes); }
  void Handshake() {
    Greet();
    Send(kIdentRequest);
    Send(kAckByte);
  }
  RadioProtocol protocol;
};

}  // namespace korvel::radiosim::test
