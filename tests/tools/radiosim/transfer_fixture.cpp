#include "transfer_fixture.h"

#include <sstream>

#include "model/channel_table.h"

namespace korvel::test {

int CountLines(const std::string& haystack, const std::string& text) {
  std::istringstream in(haystack);
  int count = 0;
  for (std::string line; std::getline(in, line);) count += line == text;
  return count;
}

std::vector<std::uint8_t> LoggedBytes(const std::string& log, const std::string& sender) {
  std::istringstream in(log);
  std::vector<std::uint8_t> bytes;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string time, who, hex;
    fields >> time >> who;
    if (who != sender) continue;
    while (fields >> hex) bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16)));
  }
  return bytes;
}

MemoryImage ThroughGrid(const MemoryImage& image) {
  MemoryImage result = image;
  ChannelTable table;
  table.Fill(result);
  table.Collect(result);
  return result;
}

void TransferTest::StartRadio(std::vector<std::string> args, bool paced) {
  if (!paced) args.push_back("--fast");
  ASSERT_TRUE(radio.Start(args)) << radio.Stderr();
}

CliRun TransferTest::Read(const std::string& output, std::vector<std::string> extra) {
  std::vector<std::string> args{"read", "--port", radio.Device(), "-o", output};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunCli(args);
}

CliRun TransferTest::Write(const std::string& file, std::vector<std::string> extra) {
  std::vector<std::string> args{"write", "--port", radio.Device(), file};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunCli(args);
}

std::string TransferTest::RadioFile(const MemoryImage& image, const std::string& name) {
  const std::string path = dir.Path(name);
  WriteImage(path, image);
  return path;
}

}  // namespace korvel::test
