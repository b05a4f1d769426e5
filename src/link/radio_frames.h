#pragma once
// The frames on the wire, for both exchanges with the radio: the clone
// transfer (handshake, then 264 blocks) and the test exchange (the same
// handshake, then one alignment command). The PC side and the simulated
// radio both take them from here.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/memory_image.h"

namespace korvel::frames {

inline constexpr std::uint8_t kAck = 0x06;
// 0x02 then "PROGRA", each byte sent by its own write.
inline constexpr std::array<std::uint8_t, 7> kGreeting = {0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
// The ident request: 'M' then 0x02, each by its own write.
inline constexpr std::uint8_t kIdentCommand = 'M';
inline constexpr std::uint8_t kIdentArgument = 0x02;
inline constexpr std::size_t kIdentReplySize = 8;
// Byte of the ident reply that names the radio type; 0xFF turns the check off.
inline constexpr std::size_t kIdentTypeIndex = 4;
inline constexpr std::uint8_t kAnyRadioType = 0xFF;

// Handshake: greeting, acknowledgement, ident request and reply, then an
// acknowledgement each way.

// Clone transfer blocks.
inline constexpr std::uint8_t kReadCommand = 'R';
inline constexpr std::uint8_t kWriteCommand = 'W';
inline constexpr std::size_t kBlockSize = 8;
inline constexpr int kBlockCount = static_cast<int>(kImageSize / kBlockSize);  // 264
// A read reply: four bytes not examined, then the block's eight bytes.
inline constexpr std::size_t kReadReplySize = 12;
inline constexpr std::size_t kReadReplyDataOffset = 4;

// Test exchange: 'x', the test command byte, the command byte again with
// 0x08, then the frequency block and the parameter block; the radio answers
// each part with 0x48.
inline constexpr std::uint8_t kTestPrefix = 'x';
inline constexpr std::uint8_t kTestLength = 0x08;
inline constexpr std::uint8_t kTestAck = 0x48;  // 'H'
inline constexpr std::size_t kTestBlockSize = 8;
// Fixed bytes 4 to 6 of the parameter block.
inline constexpr std::array<std::uint8_t, 3> kTestParameterFixed = {0xFB, 0x01, 0x01};

// The block command for block n (0..263): command, address high, address
// low, block length. Block n carries image bytes 8n..8n+7.
inline std::array<std::uint8_t, 4> BlockCommand(std::uint8_t command, int block) {
  const unsigned address = static_cast<unsigned>(block) * kBlockSize;
  return {command, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
          static_cast<std::uint8_t>(kBlockSize)};
}

}  // namespace korvel::frames
