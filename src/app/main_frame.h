#pragma once
// The main window: menus, toolbar, status bar and the layout of the form
// view. The commands live in classes of their own: FileCommands (the
// document and its files), PrintCommands, EditMenu and the transfers.

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <memory>

#include "app/command_ids.h"
#include "model/subscription.h"

class QMenu;
class QScrollArea;
class QSettings;
class QToolBar;

namespace korvel {

class CKovDoc;
class CKovView;
class EditMenu;
class FileChooser;
class FileCommands;
class HelpWindow;
class PortMenu;
class PortSource;
class PrintCommands;
class Prompter;
class RecentFileList;
class SessionRequest;
class StatusPanes;
class TransferController;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  CMainFrame(CKovDoc& document, Prompter& prompter, FileChooser& chooser, QSettings& settings,
             QWidget* parent = nullptr);
  ~CMainFrame() override;

  CKovView& View() { return *view_; }
  // The action of a command id (menu item, toolbar button or key binding).
  QAction* Action(int id) const { return actions_.value(id); }
  QAction* RecentFileAction(int index) const { return recentActions_[index]; }
  QAction* RecentFilePlaceholder() const { return recentPlaceholder_; }
  QToolBar& ToolBar() { return *toolBar_; }
  StatusPanes& Panes() { return *panes_; }
  RecentFileList& RecentFiles();
  HelpWindow* Help() const { return help_; }
  // The Port menu lists the serial ports source gives (none until it is set).
  void SetPortSource(std::unique_ptr<PortSource> source);

  // The commands of the File menu's document part and of printing.
  FileCommands& Files() { return *files_; }
  PrintCommands& Printing() { return *printing_; }

  // The first start's size: every heading of the grid in full and
  // kFirstRows channel rows, as far as the screen allows.
  static constexpr int kFirstRows = 20;
  QSize FirstSize() const;

  // Program > Read From Radio and Write To Radio: the transfer controller
  // opens the progress dialog, whose Start runs the transfer on a thread of
  // its own.
  void OnReadFromRadio();
  void OnWriteToRadio();
  TransferController& Transfers() { return *transfers_; }
  // Program > Test Mode: the modal test mode dialog on the view's band and
  // port, talking to the radio on the serial port.
  void OnTestMode();

  void OnHelpTopics();
  void OnHelp();
  void OnContextHelp();
  void OnAbout();
  // Runs the optional features dialog over the frame on the document's image.
  void OnOptionalFeatures();

  // The desktop session asks to end (QGuiApplication::commitDataRequest).
  // A running transfer stops as on a close during it, and the window closes
  // once it has ended. Unsaved changes are offered for saving as on Exit;
  // Cancel refuses the session's end. Unsaved changes are never lost
  // unasked: a session that lets nobody be asked is refused while there are
  // any, and so is one that comes during a transfer (the question comes
  // with the close after it). Otherwise the window stays open: another
  // program may still refuse the end, and the session quits the program.
  void OnSessionEnding(SessionRequest& session);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // No toolbar menu on the frame's docking areas.
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  QAction* MakeAction(int id, const QString& text, const char* icon = nullptr);
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void UpdateRecentMenu();
  // Once shown: the window wholly on its screen, looking up to looks times
  // for the window manager's border.
  void PlaceOnScreen(int looks);
  static constexpr int kBorderLooks = 50;
  static constexpr int kBorderLookMs = 20;
  // The title names the document: "radio.sin* - " and the program's title.
  void ShowTitle();
  // Commands that would change or replace the document wait for the end of
  // a transfer.
  void EnableDocumentCommands(bool enabled);
  // The save-changes question of Exit: true when the window may go. False
  // while that question is already open (a close arriving meanwhile waits
  // for its answer).
  bool MayDiscardChanges();
  // The program quits with the window still open (QCoreApplication::
  // aboutToQuit without a close): a transfer is stopped, and unsaved changes
  // are offered for saving, though the quit can no longer be refused.
  void OnQuitting();

  CKovDoc& document_;
  Prompter& prompter_;
  QSettings& settings_;
  CKovView* view_ = nullptr;
  FileCommands* files_ = nullptr;
  PrintCommands* printing_ = nullptr;
  EditMenu* editMenu_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  StatusPanes* panes_ = nullptr;
  HelpWindow* help_ = nullptr;
  QHash<int, QAction*> actions_;
  QList<QKeySequence> windowKeys_;  // the keys the frame binds
  QAction* recentActions_[kRecentFileCount] = {};
  QAction* recentPlaceholder_ = nullptr;
  PortMenu* portMenu_ = nullptr;
  bool placed_ = false;
  bool askingToSave_ = false;
  // The session's end was answered for the document as it is now: the
  // session's quit does not ask again. Any change clears it.
  bool sessionAnswered_ = false;

  std::unique_ptr<TransferController> transfers_;
  QHash<QAction*, bool> disabledForTransfer_;
  Subscription historyChanges_;  // the "*" after the title follows the modified state
};

}  // namespace korvel
