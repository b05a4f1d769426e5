#pragma once
// The main window: menus, toolbar, status bar and the layout of the form
// view. The commands live in classes of their own: FileCommands (the
// document and its files), PrintCommands, EditMenu and the transfers.

#include <QHash>
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
class PrintCommands;
class Prompter;
class RecentFileList;
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

  // The commands of the File menu's document part and of printing.
  FileCommands& Files() { return *files_; }
  PrintCommands& Printing() { return *printing_; }

  // Shrinks the frame to fit the form and keeps it on the screen.
  void FitToForm();

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

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;
  // No toolbar menu on the frame's docking areas.
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  QAction* MakeAction(int id, const QString& text, const char* icon = nullptr);
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void UpdateRecentMenu();
  void UpdatePortChecks();
  void KeepOnScreen();
  // Commands that would change or replace the document wait for the end of
  // a transfer.
  void EnableDocumentCommands(bool enabled);

  CKovDoc& document_;
  Prompter& prompter_;
  CKovView* view_ = nullptr;
  FileCommands* files_ = nullptr;
  PrintCommands* printing_ = nullptr;
  EditMenu* editMenu_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  StatusPanes* panes_ = nullptr;
  HelpWindow* help_ = nullptr;
  QHash<int, QAction*> actions_;
  QAction* recentActions_[kRecentFileCount] = {};
  QAction* recentPlaceholder_ = nullptr;
  QAction* portActions_[4] = {};
  bool placed_ = false;

  std::unique_ptr<TransferController> transfers_;
  QHash<QAction*, bool> disabledForTransfer_;
  Subscription historyChanges_;  // the "*" after the title follows the modified state
};

}  // namespace korvel
