#pragma once
// A clone transfer (read or write) or a test exchange against a radio whose
// every reply comes from the given bytes: any length, any content, silence
// or a port error, and questions answered from them too. Whatever the radio
// does, the exchange must end and close the port, and a transfer must give
// back an image only when a read completed.

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvel::fuzz {

// "" when every check held, else what failed.
std::string CheckTransferAgainstBytes(const std::uint8_t* data, std::size_t size);

}  // namespace korvel::fuzz
