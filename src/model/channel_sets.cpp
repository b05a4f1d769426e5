#include "channel_sets.h"

#include <cmath>
#include <initializer_list>

#include "channel_columns.h"
#include "channel_edits.h"
#include "channel_paste.h"
#include "frequency_check.h"
#include "text_compare.h"
#include "tone_table.h"

namespace korvel {
namespace {

constexpr const char* kNothingInserted = " Nothing was inserted.";
constexpr const char* kFrequencyExample = "megahertz from 67 to 521 on the 6.25 / 5 kHz step, such as 446.00625";

// Channels first, first + step, ... in 10 Hz units.
struct Run {
  std::uint32_t first;
  std::uint32_t step;
  int count;
};

ChannelSet NarrowSimplex(std::string name, std::initializer_list<Run> runs) {
  ChannelSet set{std::move(name), {}, true};
  for (const Run& run : runs) {
    for (int i = 0; i < run.count; ++i) {
      const std::uint32_t units = run.first + static_cast<std::uint32_t>(i) * run.step;
      set.channels.push_back({units, units});
    }
  }
  return set;
}

// A decimal number of the form a frequency is typed in, scaled to whole
// units (unitsPerOne for 1); nullopt for any other text or a fraction of a
// unit.
std::optional<std::int64_t> ReadScaled(std::string_view text, double unitsPerOne) {
  const std::optional<std::string> decimal = DecimalFrequencyText(text);
  if (!decimal) return std::nullopt;
  const double scaled = ParseDecimal(*decimal) * unitsPerOne;
  if (!(scaled < 1e12)) return std::nullopt;
  const double whole = std::round(scaled);
  if (std::fabs(scaled - whole) > 1e-6) return std::nullopt;
  return static_cast<std::int64_t>(whole);
}

constexpr double kUnitsPerMhz = 100000;
constexpr double kUnitsPerKhz = 100;

// Why a series' frequency cannot be stored; empty when it can.
std::string FrequencyFault(std::int64_t units, int channel, const char* what) {
  const bool inRange = units > 0 && units <= UINT32_MAX && IsInFormatRange(static_cast<std::uint32_t>(units));
  if (inRange && IsOnChannelStep(static_cast<std::uint32_t>(units))) return {};
  const std::string mhz = units > 0 && units <= UINT32_MAX ? FormatFrequency(static_cast<std::uint32_t>(units)) + " MHz"
                                                         : "a frequency below 0 MHz";
  return "Channel " + std::to_string(channel) + " of the series would " + what + " on " + mhz +
         (inRange ? ", off the 6.25 / 5 kHz step." : ", outside 67 to 521 MHz.");
}

bool AnyOutsideBand(const ChannelSet& set, int band) {
  for (const SetChannel& channel : set.channels) {
    if (IsOutsideBand(channel.receive, band) || IsOutsideBand(channel.transmit, band)) return true;
  }
  return false;
}

}  // namespace

const std::vector<ChannelSet>& StandardChannelSets() {
  static const std::vector<ChannelSet> sets = {
      NarrowSimplex("PMR446", {{44600625, 1250, 16}}),
      NarrowSimplex("FRS", {{46256250, 2500, 7}, {46756250, 2500, 7}, {46255000, 2500, 8}}),
      NarrowSimplex("LPD433", {{43307500, 2500, 69}}),
  };
  return sets;
}

const ChannelSet* StandardChannelSet(std::string_view name) {
  for (const ChannelSet& set : StandardChannelSets()) {
    if (EqualsIgnoringCase(name, set.name)) return &set;
  }
  return nullptr;
}

SeriesOutcome MakeSeries(std::string_view startMhz, std::string_view stepKhz, std::string_view count,
                         std::string_view offsetMhz) {
  const FrequencyReading start = ReadFrequency(startMhz);
  if (start.text.empty() || !start.Accepted())
    return {std::nullopt, "The start frequency must be " + std::string(kFrequencyExample) + "."};
  const std::optional<std::int64_t> step = ReadScaled(stepKhz, kUnitsPerKhz);
  if (!step || *step == 0 || !IsOnChannelStep(static_cast<std::uint32_t>(*step)))
    return {std::nullopt, "The step must be a multiple of 5 kHz or 6.25 kHz, such as 12.5 or 25."};
  const std::optional<int> channels = ReadChannelNumber(count);
  if (!channels) return {std::nullopt, "The count must be a whole number of channels from 1 to 128."};
  std::int64_t offset = 0;
  if (!offsetMhz.empty()) {
    const bool minus = offsetMhz.front() == '-';
    const bool signedText = minus || offsetMhz.front() == '+';
    const std::optional<std::int64_t> size = ReadScaled(offsetMhz.substr(signedText ? 1 : 0), kUnitsPerMhz);
    if (!size) return {std::nullopt, "The offset must be megahertz with + or - before it, such as +0.6 or -5."};
    offset = minus ? -*size : *size;
  }
  ChannelSet set{"Series", {}, false};
  for (int i = 0; i < *channels; ++i) {
    const std::int64_t receive = start.units + i * *step;
    const std::int64_t transmit = receive + offset;
    for (const std::string& fault : {FrequencyFault(receive, i + 1, "receive"), FrequencyFault(transmit, i + 1, "transmit")}) {
      if (!fault.empty()) return {std::nullopt, fault};
    }
    set.channels.push_back({static_cast<std::uint32_t>(receive), static_cast<std::uint32_t>(transmit)});
  }
  return {std::move(set), {}};
}

SetInsertOutcome InsertChannelSet(ChannelTable& channels, int row, const ChannelSet& set, Prompter& prompter) {
  const int count = static_cast<int>(set.channels.size());
  if (row < 1 || row > kChannelCount) return {"There is no channel " + std::to_string(row) + "."};
  const int last = row + count - 1;
  const std::string needs = set.name + " needs " + std::to_string(count) + " empty channels from channel " +
                            std::to_string(row);
  if (last > kChannelCount) return {needs + ", but the last channel is 128." + kNothingInserted};
  for (int r = row; r <= last; ++r) {
    if (channels.HasFrequency(r))
      return {needs + " to " + std::to_string(last) + ", but channel " + std::to_string(r) + " is in use." +
              kNothingInserted};
  }
  const ToneTable& tones = ToneTable::Instance();
  if (!tones.IndexOf(set.rxTone) || !tones.IndexOf(set.txTone)) return {kUnknownToneText};

  if (AnyOutsideBand(set, channels.Type().band)) TellOutOfRange(prompter);
  for (int r = row; r <= last; ++r) {
    const SetChannel& channel = set.channels[static_cast<std::size_t>(r - row)];
    // An empty row, as typing its first frequency finds it.
    channels.SetRow(r, ChannelTexts{});
    SetFrequency(channels, r, ColumnOf(kRxFrequency), FormatFrequency(channel.receive));
    if (channel.transmit != channel.receive)
      SetFrequency(channels, r, ColumnOf(kTxFrequency), FormatFrequency(channel.transmit));
    if (set.narrow) CommitOption(channels, r, ColumnOf(kBandwidth), "Narrow");
    CommitTone(channels, r, ColumnOf(kRxTone), set.rxTone);
    CommitTone(channels, r, ColumnOf(kTxTone), set.txTone);
  }
  return {{}, row, last};
}

std::optional<int> FirstRoomFor(const ChannelTable& channels, int count) {
  int run = 0;
  for (int row = 1; row <= kChannelCount; ++row) {
    run = channels.HasFrequency(row) ? 0 : run + 1;
    if (count > 0 && run == count) return row - count + 1;
  }
  return std::nullopt;
}

}  // namespace korvel
