#include "fault_options.h"

#include <cstddef>
#include <exception>

#include "model/memory_image.h"
#include "radio_protocol.h"

namespace korvel::radiosim {
namespace {

// The whole of text as a number in [min, max]; nothing otherwise.
std::optional<long long> Number(const std::string& text, long long min, long long max) {
  if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return std::nullopt;
  try {
    std::size_t used = 0;
    // As C reads numbers: 0x40 is hexadecimal, 010 octal, the rest decimal.
    const long long value = std::stoll(text, &used, 0);
    if (used != text.size() || value < min || value > max) return std::nullopt;
    return value;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::string OutOfRange(const std::string& value, long long min, long long max) {
  return "Value " + value + " not in range " + std::to_string(min) + " to " + std::to_string(max);
}

// By name, or by its number as the option's help lists it.
std::optional<TestPoint> PointNamed(const std::string& text) {
  if (text == "command" || text == "0") return TestPoint::kCommand;
  if (text == "frequency" || text == "1") return TestPoint::kFrequency;
  if (text == "parameters" || text == "2") return TestPoint::kParameters;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ParseFaultOption(std::string_view option, const std::string& value, RadioFaults& faults) {
  // Options whose value is a number in a range, and the fault it sets.
  const struct {
    std::string_view name;
    long long min, max;
    void (*set)(RadioFaults&, long long);
  } numbers[] = {
      {"stray", 0, 16, [](RadioFaults& f, long long v) { f.strayBytes = static_cast<int>(v); }},
      {"ident-length", 0, 7, [](RadioFaults& f, long long v) { f.identLength = static_cast<int>(v); }},
      {"nak-write", 0, kBlockCount - 1, [](RadioFaults& f, long long v) { f.nakWriteBlock = static_cast<int>(v); }},
      {"bad-read-ack", 0, kBlockCount - 1,
       [](RadioFaults& f, long long v) { f.badReadAckBlock = static_cast<int>(v); }},
      {"hang-up-at", 0, kBlockCount - 1, [](RadioFaults& f, long long v) { f.hangUpAtBlock = static_cast<int>(v); }},
      {"latency", 0, 1000, [](RadioFaults& f, long long v) { f.replyLatencyMs = static_cast<int>(v); }},
      {"corrupt-byte", 0, static_cast<long long>(kImageSize) - 1,
       [](RadioFaults& f, long long v) { f.corruptStoredByte = static_cast<std::size_t>(v); }},
  };
  for (const auto& n : numbers) {
    if (option != n.name) continue;
    const std::optional<long long> v = Number(value, n.min, n.max);
    if (!v) return OutOfRange(value, n.min, n.max);
    n.set(faults, *v);
    return std::nullopt;
  }

  if (option == "no-test-ack" || option == "bad-test-ack") {
    const std::optional<TestPoint> point = PointNamed(value);
    if (!point) return "Check " + value + " " + kTestPointValues + " FAILED";
    (option == "no-test-ack" ? faults.missingTestAck : faults.wrongTestAck) = point;
    return std::nullopt;
  }

  if (option == "short-reply") {
    const std::size_t colon = value.find(':');
    const std::optional<long long> block =
        colon == std::string::npos ? std::nullopt : Number(value.substr(0, colon), 0, kBlockCount - 1);
    const std::optional<long long> length =
        colon == std::string::npos ? std::nullopt : Number(value.substr(colon + 1), 0, 11);
    if (!block || !length) return "--short-reply wants BLOCK:LENGTH, block 0..263, length 0..11";
    faults.shortReplyBlock = static_cast<int>(*block);
    faults.shortReplyLength = static_cast<int>(*length);
    return std::nullopt;
  }
  return std::string(option) + " is not a fault option";
}

}  // namespace korvel::radiosim
