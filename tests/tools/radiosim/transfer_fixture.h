#pragma once
// korvel-cli against korvel-radiosim over a pseudo-terminal.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "child_process.h"
#include "model/memory_image.h"

namespace korvel::test {

// How often text occurs in haystack as a line of its own.
int CountLines(const std::string& haystack, const std::string& text);

// The bytes of one side of a --log file, in order.
std::vector<std::uint8_t> LoggedBytes(const std::string& log, const std::string& sender);

// What the window sends for a file: the grid fill, then the grid collection.
MemoryImage ThroughGrid(const MemoryImage& image);

class TransferTest : public ::testing::Test {
 protected:
  // Starts the simulator with args; --fast unless paced.
  void StartRadio(std::vector<std::string> args, bool paced = false);
  CliRun Read(const std::string& output, std::vector<std::string> extra = {});
  CliRun Write(const std::string& file, std::vector<std::string> extra = {});
  std::string RadioFile(const MemoryImage& image, const std::string& name = "radio.sin");

  ScratchDir dir;
  Simulator radio;
};

}  // namespace korvel::test
