#pragma once
// The frames of the clone protocol on the wire.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/memory_image.h"

namespace korvel::clone {

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

inline constexpr std::uint8_t kReadCommand = 'R';
inline constexpr std::uint8_t kWriteCommand = 'W';
inline constexpr std::size_t kBlockSize = 8;
inline constexpr int kBlockCount = static_cast<int>(kImageSize / kBlockSize);  // 264
// A read reply: four bytes not examined, then the block's eight bytes.
inline constexpr std::size_t kReadReplySize = 12;
inline constexpr std::size_t kReadReplyDataOffset = 4;

// The block command for block n (0..263): command, address high, address
// low, block length. Block n carries image bytes 8n..8n+7.
inline std::array<std::uint8_t, 4> BlockCommand(std::uint8_t command, int block) {
  const unsigned address = static_cast<unsigned>(block) * kBlockSize;
  return {command, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
          static_cast<std::uint8_t>(kBlockSize)};
}

}  // namespace korvel::clone
