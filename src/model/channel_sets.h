#pragma once
// Ready-made channel sets and series of channels, inserted into empty
// channels of the working copy. Each channel is set as typing its receive
// frequency into an empty row sets it (the new-row options, transmit equal
// to receive), then given the set's transmit frequency, bandwidth and tones.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channel_table.h"
#include "prompter.h"

namespace korvel {

struct SetChannel {
  std::uint32_t receive = 0;   // 10 Hz units
  std::uint32_t transmit = 0;
  bool operator==(const SetChannel&) const = default;
};

struct ChannelSet {
  std::string name;  // "PMR446"; how messages name the set
  std::vector<SetChannel> channels;
  bool narrow = false;  // the channels are "Narrow"; else the new-row "Wide"
  std::string rxTone = "OFF";
  std::string txTone = "OFF";
};

// PMR446 (16 channels), FRS (22) and LPD433 (69): narrow and simplex.
const std::vector<ChannelSet>& StandardChannelSets();
// The standard set of that name, in any case ("pmr446"); nullptr for none.
const ChannelSet* StandardChannelSet(std::string_view name);

// A series of count channels from start (MHz) in steps of step (kHz, a
// multiple of 5 or 6.25), transmitting on the receive frequency or, with an
// offset (MHz, "+0.6" or "-5"; empty or zero: none), shifted by it. Every
// frequency must lie within 67 to 521 MHz on the radio's 6.25 / 5 kHz step.
struct SeriesOutcome {
  std::optional<ChannelSet> set;  // named "Series"
  std::string refusal;            // why not; empty when made
};
SeriesOutcome MakeSeries(std::string_view startMhz, std::string_view stepKhz, std::string_view count,
                         std::string_view offsetMhz);

struct SetInsertOutcome {
  std::string refusal;  // empty when inserted
  int first = 0;        // the channels it went to
  int last = 0;
  bool Applied() const { return refusal.empty(); }
};

// Inserts the set into channels row, row + 1, ... All or nothing: refused
// when the set runs past channel 128 or one of those channels is in use
// (the message names the first), or a tone names no tone of the list. A set
// with a frequency outside the band of the table's bar values is inserted
// after one "Out of range!" notice through prompter, as typing gives it.
SetInsertOutcome InsertChannelSet(ChannelTable& channels, int row, const ChannelSet& set, Prompter& prompter);

// The first channel from which count empty channels follow; nullopt when
// there is no such run.
std::optional<int> FirstRoomFor(const ChannelTable& channels, int count);

}  // namespace korvel
