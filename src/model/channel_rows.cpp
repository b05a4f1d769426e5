#include "channel_rows.h"

#include <algorithm>
#include <array>
#include <vector>

namespace korvel {
namespace {

using Record = std::array<std::uint8_t, kRowSize>;

struct Channel {
  ChannelTexts texts;
  Record record;
};

Channel Take(const CKovDoc& document, int row) {
  Channel channel{document.Channels().Row(row), {}};
  const ConstChannelRecord record = ChannelRecordOf(document.Image(), row);
  std::copy(record.begin(), record.end(), channel.record.begin());
  return channel;
}

void Put(CKovDoc& document, int row, const Channel& channel) {
  const ChannelRecord record = ChannelRecordOf(document.Image(), row);
  std::copy(channel.record.begin(), channel.record.end(), record.begin());
  document.Channels().SetRow(row, channel.texts);
}

Channel EmptyChannel() {
  Channel channel;
  channel.record.fill(0xFF);
  return channel;
}

// Rotates the channels of rows first..last by one row: towards the end the
// last comes round to the first row, otherwise the first to the last row.
void Rotate(CKovDoc& document, int first, int last, bool towardsEnd) {
  std::vector<Channel> channels;
  for (int row = first; row <= last; ++row) channels.push_back(Take(document, row));
  if (towardsEnd) {
    std::rotate(channels.rbegin(), channels.rbegin() + 1, channels.rend());
  } else {
    std::rotate(channels.begin(), channels.begin() + 1, channels.end());
  }
  for (int row = first; row <= last; ++row) Put(document, row, channels[static_cast<std::size_t>(row - first)]);
}

bool ValidRow(int row) { return row >= 1 && row <= kChannelCount; }

}  // namespace

void EmptyChannels(CKovDoc& document, int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, kChannelCount);
  const Channel empty = EmptyChannel();
  for (int row = first; row <= last; ++row) Put(document, row, empty);
}

bool InsertEmptyChannel(CKovDoc& document, int row) {
  if (!ValidRow(row) || document.Channels().HasFrequency(kChannelCount)) return false;
  // The last row (empty, as just checked) comes round to the inserted row.
  Rotate(document, row, kChannelCount, true);
  Put(document, row, EmptyChannel());
  return true;
}

bool MoveChannels(CKovDoc& document, int first, int last, int by) {
  if (first > last || (by != -1 && by != 1)) return false;
  if (!ValidRow(first + by) || !ValidRow(last + by)) return false;
  // Moving the block down is rotating it and the row below towards the end.
  if (by == 1) {
    Rotate(document, first, last + 1, true);
  } else {
    Rotate(document, first - 1, last, false);
  }
  return true;
}

void ArrangeChannels(CKovDoc& document, const std::vector<int>& rows, const std::vector<int>& from) {
  std::vector<Channel> channels;
  channels.reserve(from.size());
  for (int row : from) channels.push_back(Take(document, row));
  for (std::size_t i = 0; i < rows.size() && i < channels.size(); ++i) Put(document, rows[i], channels[i]);
}

}  // namespace korvel
