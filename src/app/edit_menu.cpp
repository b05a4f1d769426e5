#include "app/edit_menu.h"

#include <QAction>
#include <QMenu>

#include "app/command_ids.h"
#include "editor/channel_edit_commands.h"
#include "editor/kov_view.h"
#include "model/document_history.h"

namespace korvel {

EditMenu::EditMenu(QWidget& window, CKovView& view, DocumentHistory& history, const ActionMaker& make,
                   const QHash<int, QAction*>& actions)
    : QObject(&window), view_(view), history_(history), actions_(actions) {
  ChannelEditCommands& commands = view_.EditCommands();
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
      {kCmdSortChannels, "S&ort Channels...", {}, &ChannelEditCommands::SortChannels},
      {kCmdInsertStandardChannels, "Insert &Standard Channels...", {}, &ChannelEditCommands::InsertStandardChannels},
  };
  for (const auto& item : items) {
    QAction* action = make(item.id, QString::fromLatin1(item.text));
    action->setShortcuts(item.keys);
    connect(action, &QAction::triggered, &commands, item.run);
    if (item.id == kCmdEditClear || item.id == kCmdInsertChannel) {
      // Del and Insert act on channels only from the grid itself: in a cell's
      // editor or a list of the bar they are the field's keys.
      action->setShortcutContext(Qt::WidgetShortcut);
      view_.Grid()->addAction(action);
      continue;
    }
    // Bound for the whole window; a focused text field keeps its own
    // Ctrl+C, Ctrl+V, Ctrl+Z and Ctrl+A.
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
  }

  menu_ = new QMenu(QStringLiteral("&Edit"), &window);
  const int groups[][4] = {{kCmdEditUndo, kCmdEditRedo, 0, 0},
                           {kCmdEditCut, kCmdEditCopy, kCmdEditPaste, 0},
                           {kCmdEditClear, kCmdInsertChannel, kCmdMoveChannelUp, kCmdMoveChannelDown},
                           {kCmdSortChannels, kCmdInsertStandardChannels, 0, 0},
                           {kCmdEditSelectAll, 0, 0, 0}};
  for (const auto& group : groups) {
    if (!menu_->isEmpty()) menu_->addSeparator();
    for (int id : group) {
      if (id != 0) menu_->addAction(actions_.value(id));
    }
  }
  // The grid's right-click menu offers the same commands.
  QWidget* grid = view_.Grid();
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid, &QWidget::customContextMenuRequested, this,
          [this, grid](const QPoint& at) { menu_->popup(grid->mapToGlobal(at)); });

  historyChanges_ = history_.Subscribe([this] { Update(); });
  Update();
}

void EditMenu::HoldEdits(bool held) {
  held_ = held;
  Update();
}

void EditMenu::Update() {
  const bool idle = !held_;
  QAction* undo = actions_.value(kCmdEditUndo);
  undo->setEnabled(idle && history_.CanUndo());
  undo->setText(history_.CanUndo() ? QStringLiteral("&Undo %1").arg(QString::fromStdString(history_.UndoName()))
                                   : QStringLiteral("&Undo"));
  QAction* redo = actions_.value(kCmdEditRedo);
  redo->setEnabled(idle && history_.CanRedo());
  redo->setText(history_.CanRedo() ? QStringLiteral("&Redo %1").arg(QString::fromStdString(history_.RedoName()))
                                   : QStringLiteral("&Redo"));
  // A read in progress replaces the channels: nothing else changes them
  // meanwhile.
  for (int id : {kCmdEditCut, kCmdEditPaste, kCmdEditClear, kCmdInsertChannel, kCmdMoveChannelUp,
                 kCmdMoveChannelDown, kCmdSortChannels, kCmdInsertStandardChannels, kCmdImportChannels}) {
    if (QAction* action = actions_.value(id)) action->setEnabled(idle);
  }
}

}  // namespace korvel
