#pragma once
// Files, memory images and captured output as tests set them up and check
// them.

#include <cstdio>
#include <string>

#include "model/memory_image.h"

namespace korvel::test {

// The whole file, or "" when it cannot be read.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// Anything at path, a dangling link included.
bool Exists(const std::string& path);

// The file's bytes as an image; throws unless it holds exactly one image.
MemoryImage ImageFromFile(const std::string& path);
void WriteImage(const std::string& path, const MemoryImage& image);
// The image's bytes as a file holds them.
inline std::string ImageBytes(const MemoryImage& image) { return std::string(image.begin(), image.end()); }
// Bytes 0..255 in order, then a pseudo-random run from seed: every byte
// value occurs, control characters of a terminal included.
MemoryImage PatternImage(unsigned seed);
// What the window sends for a file: shown in the grid, then collected from it.
MemoryImage ThroughGrid(const MemoryImage& image);
// PatternImage(seed) whose channels hold only what can be typed into the
// grid: frequencies on the step within 67..521 MHz (every seventh channel
// none, others receive- or transmit-only), tones the tone table names;
// every other byte the pattern's. Through the grid.
MemoryImage ChannelListImage(unsigned seed);

// How often text occurs in haystack as a line of its own.
int CountLines(const std::string& haystack, const std::string& text);

}  // namespace korvel::test
