// The Edit menu's commands on the channel list as a whole: sorting it and
// inserting ready-made channel sets.
#include <QDialog>

#include "editor/channel_edit_commands.h"
#include "editor/channel_grid.h"
#include "editor/channel_set_dialog.h"
#include "editor/sort_channels_dialog.h"
#include "model/channel_sets.h"
#include "model/channel_sort.h"
#include "model/document_history.h"
#include "model/kov_document.h"
#include "model/prompter.h"

namespace korvel {

void ChannelEditCommands::SortChannels() {
  if (!Prepare()) return;
  // Only the rows that hold a selected cell: cells picked with Ctrl in
  // rows 3 and 10 sort those two, not the rows between them.
  const std::vector<int> rows = grid_.RowsWithSelectedCells();
  const bool all = rows.size() < 2;
  const QString scope =
      all ? QStringLiteral("Sorts all channels in use; the empty channels go after them.")
          : QStringLiteral("Sorts the %1 selected channels among their rows; empty ones go last.").arg(rows.size());
  SortChannelsDialog dialog(scope, &grid_);
  if (dialog.exec() != QDialog::Accepted) return;
  DocumentStep step(history_, "Sort");
  if (all) {
    SortAllChannels(document_, dialog.Column(), dialog.Direction());
  } else {
    korvel::SortChannels(document_, rows, dialog.Column(), dialog.Direction());
  }
  Finish();
}

void ChannelEditCommands::InsertStandardChannels() {
  if (!Prepare()) return;
  const int row = TargetRows().first;
  ChannelSetDialog dialog(row, prompter_, &grid_);
  if (dialog.exec() != QDialog::Accepted) return;
  DocumentStep step(history_, "Insert Standard Channels");
  const SetInsertOutcome outcome = InsertChannelSet(document_.Channels(), row, dialog.Set(), prompter_);
  if (!outcome.Applied()) {
    prompter_.Tell(outcome.refusal);
    return;
  }
  Finish();
  // The set from its first channel down, as much of it as the grid shows.
  grid_.scrollTo(grid_.Model().index(outcome.first - 1, 0), QAbstractItemView::PositionAtTop);
  grid_.SelectRows(outcome.first, outcome.last);
}

}  // namespace korvel
