#pragma once
// sort, insert-channels: the Edit menu's Sort Channels and Insert Standard
// Channels on a channel data file, saved as another. Each returns the
// command's exit status; a refusal writes nothing.

#include <optional>
#include <string>

#include "command_streams.h"

namespace korvel::cli {

struct SortOptions {
  std::string in;   // channel data file
  std::string out;  // channel data file written
  std::string by;   // a column name of the CSV header: Receive, Rx Tone, ...
  bool descending = false;
};
// Sorts all channels in use; the empty ones go after them.
int SortChannelFile(const SortOptions& options, const CommandStreams& streams);

struct InsertChannelsOptions {
  std::string in;
  std::string out;
  std::string set;     // pmr446, frs or lpd433; or empty with series
  std::string series;  // START,STEP,COUNT[,OFFSET]: MHz, kHz, channels, MHz
  std::optional<int> at = std::nullopt;  // the first channel; else the first run of empty channels it fits
  std::string rxTone = "OFF";
  std::string txTone = "OFF";
};
int InsertChannels(const InsertChannelsOptions& options, const CommandStreams& streams);

}  // namespace korvel::cli
