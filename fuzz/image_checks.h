#pragma once
// What must hold for any bytes offered as a channel data file: loading them
// never fails in any way but a refusal, and a loaded image survives the grid
// fill, the grid collection and the settings reading as the window and the
// command-line tool use them. Shared by the fuzz target and the regression
// test that replays its corpus.

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvel::fuzz {

// "" when every check held, else what failed.
std::string CheckChannelFileBytes(const std::uint8_t* data, std::size_t size);

}  // namespace korvel::fuzz
