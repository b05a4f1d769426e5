#include "channel_edits.h"

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

}  // namespace

std::string CommitFrequency(ChannelTable& channels, int row, int column, std::string_view text,
                            Prompter& prompter) {
  std::string checked = CheckFrequency(text, channels.Type().band, prompter);
  if (!checked.empty()) {
    if (IsNewRow(channels, row)) {
      for (int c = kFirstToneColumn; c <= kLastOptionColumn; ++c) {
        channels.SetCell(row, c, std::string(kNewRowTexts[static_cast<std::size_t>(c - kFirstToneColumn)]));
      }
      if (column == ColumnOf(kRxFrequency)) channels.SetCell(row, ColumnOf(kTxFrequency), checked);
    }
    channels.SetCell(row, column, checked);
    return checked;
  }
  const int tone = column == ColumnOf(kRxFrequency) ? ColumnOf(kRxTone) : ColumnOf(kTxTone);
  channels.SetCell(row, tone, {});
  channels.SetCell(row, column, {});
  // A row without frequencies is empty: no tone or option cell stays behind.
  if (!channels.HasFrequency(row)) {
    for (int c = kFirstToneColumn; c <= kLastOptionColumn; ++c) channels.SetCell(row, c, {});
  }
  return checked;
}

void CommitTone(ChannelTable& channels, int row, int column, std::string_view text) {
  if (!channels.HasFrequency(row)) {
    channels.SetCell(row, column, {});
    return;
  }
  // The list entry's own text, so the cell holds the name the radio's code
  // is made from.
  const ToneTable& tones = ToneTable::Instance();
  const std::optional<int> entry = tones.IndexOf(text);
  channels.SetCell(row, column, entry ? tones.Name(*entry) : std::string("OFF"));
}

void CommitOption(ChannelTable& channels, int row, int column, std::string_view text) {
  channels.SetCell(row, column, channels.HasFrequency(row) ? std::string(text) : std::string());
}

}  // namespace korvel
