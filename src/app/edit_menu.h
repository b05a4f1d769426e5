#pragma once
// The Edit menu: undo, the clipboard and the channel rows with the
// platform's standard keys, the same commands on the grid's right-click
// menu, and their state following the document's history.

#include <QHash>
#include <QObject>

#include "app/action_maker.h"
#include "model/subscription.h"

class QAction;
class QMenu;
class QWidget;

namespace korvel {

class CKovView;
class DocumentHistory;

class EditMenu : public QObject {
  Q_OBJECT
 public:
  using ActionMaker = korvel::ActionMaker;

  // The actions are made through make and bound to window's keys; actions
  // is the window's table of them, where Import Channels is found too.
  EditMenu(QWidget& window, CKovView& view, DocumentHistory& history, const ActionMaker& make,
           const QHash<int, QAction*>& actions);

  QMenu* Menu() const { return menu_; }
  // While a transfer runs, nothing changes the channels: undo, redo and the
  // commands that change channels wait.
  void HoldEdits(bool held);

 private:
  // Undo and Redo name their step and follow the history.
  void Update();

  CKovView& view_;
  DocumentHistory& history_;
  const QHash<int, QAction*>& actions_;
  QMenu* menu_ = nullptr;
  bool held_ = false;
  Subscription historyChanges_;
};

}  // namespace korvel
