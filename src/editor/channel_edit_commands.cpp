#include "editor/channel_edit_commands.h"

#include "editor/cell_editing.h"
#include "editor/cell_editors.h"
#include "editor/channel_grid.h"
#include "model/document_history.h"
#include "model/channel_rows.h"
#include "model/kov_document.h"
#include "model/prompter.h"

namespace korvel {

ChannelEditCommands::ChannelEditCommands(CKovDoc& document, ChannelGrid& grid, CellEditors& editors,
                                         CellEditing& editing, DocumentHistory& history, Prompter& prompter,
                                         QObject* parent)
    : QObject(parent),
      document_(document),
      grid_(grid),
      editors_(editors),
      editing_(editing),
      history_(history),
      prompter_(prompter) {}

std::pair<int, int> ChannelEditCommands::TargetRows() const {
  const std::vector<int> rows = grid_.SelectedRows();
  if (rows.empty()) return {grid_.Row(), grid_.Row()};
  return {rows.front(), rows.back()};
}

bool ChannelEditCommands::Prepare() {
  if (editors_.Created()) {
    editing_.Commit();
    // A refused text keeps its editor open: the command waits for it.
    for (QWidget* editor : editors_.All()) {
      if (editor->isVisible()) return false;
    }
  }
  return true;
}

void ChannelEditCommands::Finish() {
  editing_.LoadEditor();
  grid_.setFocus();
}

void ChannelEditCommands::Undo() {
  if (!Prepare()) return;
  history_.Undo();
  Finish();
}

void ChannelEditCommands::Redo() {
  if (!Prepare()) return;
  history_.Redo();
  Finish();
}

void ChannelEditCommands::DeleteChannels() {
  if (!Prepare()) return;
  DocumentStep step(history_, "Delete Channel");
  const std::vector<int> selected = grid_.SelectedRows();
  if (selected.empty()) {
    EmptyChannels(document_, grid_.Row(), grid_.Row());
  } else {
    for (int row : selected) EmptyChannels(document_, row, row);
  }
  Finish();
}

void ChannelEditCommands::InsertChannel() {
  if (!Prepare()) return;
  DocumentStep step(history_, "Insert Channel");
  if (!InsertEmptyChannel(document_, TargetRows().first)) {
    prompter_.Tell(kLastChannelInUseText);
    return;
  }
  Finish();
}

void ChannelEditCommands::Move(int by) {
  if (!Prepare()) return;
  DocumentStep step(history_, by < 0 ? "Move Up" : "Move Down");
  const auto [first, last] = TargetRows();
  const bool wholeRows = !grid_.SelectedRows().empty();
  if (!MoveChannels(document_, first, last, by)) return;
  Finish();
  // The selection travels with the channels.
  if (wholeRows) {
    grid_.SelectRows(first + by, last + by);
  } else {
    grid_.SetCurrent(grid_.Row() + by, grid_.Col());
  }
}

void ChannelEditCommands::SelectAll() {
  if (editors_.Created()) editors_.HideAll();
  grid_.SelectRows(1, ChannelGrid::kRows - 1);
  grid_.setFocus();
}

}  // namespace korvel
