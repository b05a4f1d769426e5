#include "editor/channel_edit_commands.h"

#include "editor/cell_editing.h"
#include "editor/cell_editors.h"
#include "editor/channel_grid.h"
#include "editor/document_history.h"
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
  history_.Checkpoint(QString());
  return true;
}

void ChannelEditCommands::Finish(const QString& stepName) {
  history_.Checkpoint(stepName);
  editing_.LoadEditor();
  grid_.setFocus();
}

void ChannelEditCommands::Undo() {
  if (!Prepare()) return;
  history_.Stack().undo();
  Finish(QString());
}

void ChannelEditCommands::Redo() {
  if (!Prepare()) return;
  history_.Stack().redo();
  Finish(QString());
}

void ChannelEditCommands::DeleteChannels() {
  if (!Prepare()) return;
  const std::vector<int> selected = grid_.SelectedRows();
  if (selected.empty()) {
    EmptyChannels(document_, grid_.Row(), grid_.Row());
  } else {
    for (int row : selected) EmptyChannels(document_, row, row);
  }
  Finish(QStringLiteral("Delete Channel"));
}

void ChannelEditCommands::InsertChannel() {
  if (!Prepare()) return;
  if (!InsertEmptyChannel(document_, TargetRows().first)) {
    prompter_.Tell(kLastChannelInUseText);
    return;
  }
  Finish(QStringLiteral("Insert Channel"));
}

void ChannelEditCommands::Move(int by) {
  if (!Prepare()) return;
  const auto [first, last] = TargetRows();
  const bool wholeRows = !grid_.SelectedRows().empty();
  if (!MoveChannels(document_, first, last, by)) return;
  Finish(by < 0 ? QStringLiteral("Move Up") : QStringLiteral("Move Down"));
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
