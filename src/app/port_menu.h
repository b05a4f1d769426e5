#pragma once
// The Port menu: COM1 to COM4, then every serial port the system lists
// (refreshed each time the menu opens), then "Other Port..." for any device
// path. Exactly the port the view's port name chooses is checked; a name
// that is none of the items is shown as an extra checked item.

#include <QObject>
#include <memory>
#include <vector>

#include "app/action_maker.h"

class QMenu;
class QWidget;

namespace korvel {

class CKovView;
class PortSource;

class PortMenu : public QObject {
  Q_OBJECT
 public:
  // The ports are listed from an empty source until SetSource gives one.
  PortMenu(QWidget& window, CKovView& view, const ActionMaker& make);
  ~PortMenu() override;

  QMenu* Menu() const { return menu_; }
  void SetSource(std::unique_ptr<PortSource> source);
  // Lists the ports again, names the devices COM1 to COM4 reach and puts
  // the check mark on the view's port.
  void Refresh();
  // The text of the status bar's port pane for the view's port name.
  QString PaneText() const;

 signals:
  // The view's port name may have changed (a choice, or a refresh).
  void portShown();

 private:
  void Choose(const QString& name);
  void ChooseOther();
  QAction* AddListed(const QString& text, const QString& name);

  QWidget& window_;
  CKovView& view_;
  std::unique_ptr<PortSource> source_;
  QMenu* menu_ = nullptr;
  QAction* comActions_[4] = {};
  QAction* listEnd_ = nullptr;  // the separator before "Other Port..."
  std::vector<QAction*> listed_;  // the items between COM4 and listEnd_
};

}  // namespace korvel
