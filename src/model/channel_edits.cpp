#include "channel_edits.h"

#include <array>
#include <cstdint>

#include "channel_columns.h"
#include "frequency_check.h"
#include "tone_table.h"

namespace korvel {
namespace {

// A row is new while its tone and bandwidth cells and both frequencies are
// empty.
bool IsNewRow(const ChannelTable& channels, int row) {
  return channels.Cell(row, ColumnOf(kRxTone)).empty() && channels.Cell(row, ColumnOf(kTxTone)).empty() &&
         channels.Cell(row, ColumnOf(kBandwidth)).empty() && !channels.HasFrequency(row);
}

// Gives each empty tone or option cell of a row in use the text that the
// row's record decodes to once collected (an empty tone is stored as no tone
// and read back as "OFF", an empty option as the value its bits then hold).
void ShowStoredTexts(ChannelTable& channels, int row) {
  if (!channels.HasFrequency(row)) return;
  std::array<std::uint8_t, kRowSize> record;
  record.fill(0xFF);
  EncodeChannel(channels.Row(row), ChannelRecord(record));
  const ChannelTexts stored = DecodeChannel(ConstChannelRecord(record));
  for (int c = kFirstToneColumn; c <= kLastOptionColumn; ++c) {
    if (channels.Cell(row, c).empty()) channels.SetCell(row, c, stored[c - 1]);
  }
}

}  // namespace

std::optional<std::string> CommitFrequency(ChannelTable& channels, int row, int column,
                                           std::string_view text, Prompter& prompter) {
  std::optional<std::string> checked = CheckFrequency(text, channels.Type().band, prompter);
  if (checked) SetFrequency(channels, row, column, *checked);
  return checked;
}

void SetFrequency(ChannelTable& channels, int row, int column, const std::string& checked) {
  if (!checked.empty()) {
    if (IsNewRow(channels, row)) {
      for (int c = kFirstToneColumn; c <= kLastOptionColumn; ++c) {
        channels.SetCell(row, c, std::string(kNewRowTexts[static_cast<std::size_t>(c - kFirstToneColumn)]));
      }
      if (column == ColumnOf(kRxFrequency)) channels.SetCell(row, ColumnOf(kTxFrequency), checked);
    }
    channels.SetCell(row, column, checked);
  } else {
    const int tone = column == ColumnOf(kRxFrequency) ? ColumnOf(kRxTone) : ColumnOf(kTxTone);
    channels.SetCell(row, tone, {});
    channels.SetCell(row, column, {});
    // A row without frequencies is empty: no tone or option cell stays behind.
    if (!channels.HasFrequency(row)) {
      for (int c = kFirstToneColumn; c <= kLastOptionColumn; ++c) channels.SetCell(row, c, {});
    }
  }
  ShowStoredTexts(channels, row);
}

bool CommitTone(ChannelTable& channels, int row, int column, std::string_view text) {
  if (!channels.HasFrequency(row)) {
    channels.SetCell(row, column, {});
    return true;
  }
  // The list entry's own text, so the cell holds the name the radio's code
  // is made from.
  const ToneTable& tones = ToneTable::Instance();
  const std::optional<int> entry = tones.IndexOf(text);
  if (!entry) return false;
  channels.SetCell(row, column, tones.Name(*entry));
  ShowStoredTexts(channels, row);
  return true;
}

void CommitOption(ChannelTable& channels, int row, int column, std::string_view text) {
  channels.SetCell(row, column, channels.HasFrequency(row) ? std::string(text) : std::string());
  ShowStoredTexts(channels, row);
}

}  // namespace korvel
