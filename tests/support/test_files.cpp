#include "test_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "model/channel_table.h"
#include "model/utf8_path.h"
#include "model/tone_table.h"

namespace korvel::test {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::symlink_status(PathFromUtf8(path), error).type() !=
         std::filesystem::file_type::not_found;
}

MemoryImage ImageFromFile(const std::string& path) {
  const std::string bytes = ReadFile(path);
  if (bytes.size() != kImageSize) throw std::runtime_error(path + " is not " + std::to_string(kImageSize) + " bytes");
  MemoryImage image;
  std::copy(bytes.begin(), bytes.end(), image.begin());
  return image;
}

void WriteImage(const std::string& path, const MemoryImage& image) {
  WriteFile(path, std::string(image.begin(), image.end()));
}

MemoryImage PatternImage(unsigned seed) {
  MemoryImage image;
  unsigned x = seed * 2654435761u + 1;
  for (std::size_t i = 0; i < image.size(); ++i) {
    x = x * 1103515245u + 12345u;
    image[i] = i < 256 ? static_cast<std::uint8_t>(i) : static_cast<std::uint8_t>(x >> 16);
  }
  return image;
}

MemoryImage ThroughGrid(const MemoryImage& image) {
  MemoryImage result = image;
  ChannelTable table;
  table.Fill(result);
  table.Collect(result);
  return result;
}

MemoryImage ChannelListImage(unsigned seed) {
  MemoryImage image = PatternImage(seed);
  ChannelTable table;
  table.Fill(image);
  const ToneTable& tones = ToneTable::Instance();
  for (int row = 1; row <= kChannelCount; ++row) {
    // The pattern's own bytes choose the values.
    const ConstChannelRecord record = ChannelRecordOf(image, row);
    ChannelTexts texts = table.Row(row);
    const bool receive = row % 7 != 0 && row % 3 != 0;
    const bool transmit = row % 7 != 0 && row % 5 != 0;
    texts[kRxFrequency] = receive ? FormatFrequency(6700000u + (record[0] * 256u + record[1]) * 625u) : "";
    texts[kTxFrequency] = transmit ? FormatFrequency(6700000u + (record[4] * 256u + record[5]) * 500u) : "";
    texts[kRxTone] = tones.Name(record[8] % ToneTable::kCount);
    texts[kTxTone] = tones.Name(record[10] % ToneTable::kCount);
    table.SetRow(row, texts);
  }
  table.Collect(image);
  return ThroughGrid(image);
}

int CountLines(const std::string& haystack, const std::string& text) {
  std::istringstream in(haystack);
  int count = 0;
  for (std::string line; std::getline(in, line);) count += line == text;
  return count;
}

}  // namespace korvel::test
