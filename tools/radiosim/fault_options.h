#pragma once
// The simulator's fault options that take a value (--stray N, --latency MS,
// --short-reply K:N, --no-test-ack PART, --corrupt-byte ADDR, ...), read
// from their text into RadioFaults. Plain C++, so the values the command
// line takes are checked in one place.

#include <optional>
#include <string>
#include <string_view>

#include "radio_faults.h"

namespace korvel::radiosim {

// The values a test point option takes, as its help shows them.
inline constexpr const char* kTestPointValues = "value in {command->0,frequency->1,parameters->2} OR {0,1,2}";

// Sets the fault the option names (without its dashes, "short-reply") from
// value; returns why the value is refused, or nothing when it was taken.
// Numbers are decimal or 0x hexadecimal; a test point is named or numbered. An option that is no fault option
// is refused too.
std::optional<std::string> ParseFaultOption(std::string_view option, const std::string& value, RadioFaults& faults);

}  // namespace korvel::radiosim
