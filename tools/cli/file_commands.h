#pragma once
// new, resave, channels, settings: what the window does to channel data
// files, without the window; diff: what differs between two of them. Each
// returns the command's exit status.

#include <string>

#include "command_streams.h"

namespace korvel::cli {

struct NewOptions {
  std::string file;
};
// The file that File New followed by Save writes.
int NewChannelFile(const NewOptions& options, const CommandStreams& streams);

struct ResaveOptions {
  std::string in, out;
};
// What opening `in` and saving it as `out` writes (the grid fill, then the
// grid collection).
int ResaveChannelFile(const ResaveOptions& options, const CommandStreams& streams);

struct ChannelsOptions {
  std::string file;
  bool all = false;  // empty channels too
};
// One line per channel on out: its number and its ten grid texts,
// tab-separated.
int ListChannels(const ChannelsOptions& options, const CommandStreams& streams);

struct SettingsOptions {
  std::string file;
};
// The type settings bar and the optional features, one "name: value" line
// each on out.
int ShowSettings(const SettingsOptions& options, const CommandStreams& streams);

// Exit statuses of diff, as cmp and diff have them.
inline constexpr int kFilesEqual = 0;
inline constexpr int kFilesDiffer = 1;
inline constexpr int kFileTrouble = 2;

struct DiffOptions {
  std::string left, right;
};
// The files as they are, without the grid, one difference a line on out.
int DiffChannelFiles(const DiffOptions& options, const CommandStreams& streams);

}  // namespace korvel::cli
