#pragma once
// The radio's whole programmable memory: 2112 bytes, 132 rows of 16.
// Image offset i is radio memory address i.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace korvel {

inline constexpr std::size_t kImageSize = 2112;
inline constexpr std::size_t kRowSize = 16;
inline constexpr std::size_t kRowCount = kImageSize / kRowSize;  // 132
inline constexpr int kChannelCount = 128;                         // rows 0..127
inline constexpr std::size_t kSettingsOffset = 0x800;             // rows 128..131

using MemoryImage = std::array<std::uint8_t, kImageSize>;
using ChannelRecord = std::span<std::uint8_t, kRowSize>;
using ConstChannelRecord = std::span<const std::uint8_t, kRowSize>;

// The 16-byte record of channel n (1..128).
ChannelRecord ChannelRecordOf(MemoryImage& image, int channel);
ConstChannelRecord ChannelRecordOf(const MemoryImage& image, int channel);

// The image File New makes: every byte 0xFF, then the radio's defaults in
// the settings block.
MemoryImage NewImage();

// Packed BCD of one byte. Reading does not check that the nibbles are
// decimal; writing keeps only the low 8 bits of (d / 10) * 16 + d % 10,
// which is the two-digit BCD form for d in 0..99.
inline int ReadBcd(std::uint8_t b) { return (b >> 4) * 10 + (b & 0x0F); }
inline std::uint8_t WriteBcd(long d) { return static_cast<std::uint8_t>((d / 10) * 16 + d % 10); }

}  // namespace korvel
