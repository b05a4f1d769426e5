// The Edit menu: undo, the clipboard and the channel rows, with the
// platform's standard keys, and the same commands on the grid's
// right-click menu.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

#include "app/main_frame.h"
#include "editor/channel_edit_commands.h"
#include "editor/document_history.h"

namespace korvel {

void CMainFrame::CreateEditActions() {
  ChannelEditCommands& commands = view_->EditCommands();
  const struct {
    int id;
    const char* text;
    QList<QKeySequence> keys;
    void (ChannelEditCommands::*run)();
  } items[] = {
      {kCmdEditUndo, "&Undo", {QKeySequence::Undo}, &ChannelEditCommands::Undo},
      {kCmdEditRedo, "&Redo", {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
       &ChannelEditCommands::Redo},
      {kCmdEditCut, "Cu&t", {QKeySequence::Cut}, &ChannelEditCommands::Cut},
      {kCmdEditCopy, "&Copy", {QKeySequence::Copy}, &ChannelEditCommands::Copy},
      {kCmdEditPaste, "&Paste", {QKeySequence::Paste}, &ChannelEditCommands::Paste},
      {kCmdEditClear, "&Delete Channel", {QKeySequence(Qt::Key_Delete)}, &ChannelEditCommands::DeleteChannels},
      {kCmdInsertChannel, "&Insert Empty Channel",
       {QKeySequence(Qt::CTRL | Qt::Key_Insert), QKeySequence(Qt::Key_Insert)}, &ChannelEditCommands::InsertChannel},
      {kCmdMoveChannelUp, "Move &Up", {QKeySequence(Qt::CTRL | Qt::Key_Up)}, &ChannelEditCommands::MoveUp},
      {kCmdMoveChannelDown, "Move Do&wn", {QKeySequence(Qt::CTRL | Qt::Key_Down)}, &ChannelEditCommands::MoveDown},
      {kCmdEditSelectAll, "Select &All", {QKeySequence::SelectAll}, &ChannelEditCommands::SelectAll},
  };
  for (const auto& item : items) {
    QAction* action = MakeAction(item.id, QString::fromLatin1(item.text));
    action->setShortcuts(item.keys);
    connect(action, &QAction::triggered, &commands, item.run);
    if (item.id == kCmdEditClear || item.id == kCmdInsertChannel) {
      // Del and Insert act on channels only from the grid itself: in a cell's
      // editor or a list of the bar they are the field's keys.
      action->setShortcutContext(Qt::WidgetShortcut);
      view_->Grid()->addAction(action);
      continue;
    }
    // Bound for the whole window; a focused text field keeps its own
    // Ctrl+C, Ctrl+V, Ctrl+Z and Ctrl+A.
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
  QUndoStack& stack = view_->History().Stack();
  connect(&stack, &QUndoStack::canUndoChanged, this, &CMainFrame::UpdateEditCommands);
  connect(&stack, &QUndoStack::canRedoChanged, this, &CMainFrame::UpdateEditCommands);
  connect(&stack, &QUndoStack::undoTextChanged, this, &CMainFrame::UpdateEditCommands);
  connect(&stack, &QUndoStack::redoTextChanged, this, &CMainFrame::UpdateEditCommands);
  connect(&stack, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
  UpdateEditCommands();
}

QMenu* CMainFrame::CreateEditMenu() {
  auto* edit = new QMenu(QStringLiteral("&Edit"), this);
  const int groups[][4] = {{kCmdEditUndo, kCmdEditRedo, 0, 0},
                           {kCmdEditCut, kCmdEditCopy, kCmdEditPaste, 0},
                           {kCmdEditClear, kCmdInsertChannel, kCmdMoveChannelUp, kCmdMoveChannelDown},
                           {kCmdEditSelectAll, 0, 0, 0}};
  for (const auto& group : groups) {
    if (!edit->isEmpty()) edit->addSeparator();
    for (int id : group) {
      if (id != 0) edit->addAction(actions_.value(id));
    }
  }
  // The grid's right-click menu offers the same commands.
  QWidget* grid = view_->Grid();
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid, &QWidget::customContextMenuRequested, this, [this, edit, grid](const QPoint& at) {
    edit->popup(grid->mapToGlobal(at));
  });
  return edit;
}

void CMainFrame::UpdateEditCommands() {
  const QUndoStack& stack = view_->History().Stack();
  const bool idle = !transferHoldsEdits_;
  QAction* undo = actions_.value(kCmdEditUndo);
  undo->setEnabled(idle && stack.canUndo());
  undo->setText(stack.canUndo() ? QStringLiteral("&Undo %1").arg(stack.undoText()) : QStringLiteral("&Undo"));
  QAction* redo = actions_.value(kCmdEditRedo);
  redo->setEnabled(idle && stack.canRedo());
  redo->setText(stack.canRedo() ? QStringLiteral("&Redo %1").arg(stack.redoText()) : QStringLiteral("&Redo"));
  // A read in progress replaces the channels: nothing else changes them
  // meanwhile.
  for (int id : {kCmdEditCut, kCmdEditPaste, kCmdEditClear, kCmdInsertChannel, kCmdMoveChannelUp,
                 kCmdMoveChannelDown, kCmdImportChannels}) {
    if (QAction* action = actions_.value(id)) action->setEnabled(idle);
  }
}

}  // namespace korvel
