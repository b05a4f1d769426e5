#include "document_state.h"

namespace korvel {

DocumentState CaptureState(const CKovDoc& document) {
  DocumentState state;
  const ChannelTable& channels = document.Channels();
  for (int row = 1; row <= kChannelCount; ++row) state.rows[static_cast<std::size_t>(row - 1)] = channels.Row(row);
  state.type = channels.Type();
  state.image = document.Image();
  channels.Collect(state.image);
  return state;
}

std::optional<StateChange> StateChange::Between(const DocumentState& before, const DocumentState& after) {
  StateChange change;
  for (int row = 1; row <= kChannelCount; ++row) {
    const auto i = static_cast<std::size_t>(row - 1);
    if (before.rows[i] != after.rows[i]) change.rows_.push_back({row, before.rows[i], after.rows[i]});
  }
  for (std::size_t i = 0; i < kImageSize; ++i) {
    if (before.image[i] != after.image[i]) {
      change.bytes_.push_back({static_cast<std::uint16_t>(i), before.image[i], after.image[i]});
    }
  }
  if (before.type != after.type) change.type_.emplace(before.type, after.type);
  if (change.rows_.empty() && change.bytes_.empty() && !change.type_) return std::nullopt;
  return change;
}

std::vector<int> StateChange::Rows() const {
  std::vector<int> rows;
  for (const RowChange& change : rows_) rows.push_back(change.row);
  return rows;
}

void StateChange::Apply(CKovDoc& document, bool forward) const {
  MemoryImage& image = document.Image();
  for (const ByteChange& change : bytes_) image[change.offset] = forward ? change.after : change.before;
  ChannelTable& channels = document.Channels();
  for (const RowChange& change : rows_) channels.SetRow(change.row, forward ? change.after : change.before);
  if (type_) channels.SetType(forward ? type_->second : type_->first);
}

}  // namespace korvel
