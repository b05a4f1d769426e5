#pragma once
// The main window: menus, toolbar, status bar and the form view, and the
// file commands that move the document between files and the view.

#include <QHash>
#include <QMainWindow>
#include <QSettings>
#include <QToolBar>
#include <memory>

#include "app/command_ids.h"
#include "app/file_chooser.h"
#include "app/recent_file_list.h"
#include "app/status_panes.h"
#include "editor/kov_view.h"
#include "model/kov_document.h"
#include "model/prompter.h"

class QPrinter;
class QMenu;
class QScrollArea;

namespace korvel {

class HelpWindow;
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
  RecentFileList& RecentFiles() { return recent_; }
  HelpWindow* Help() const { return help_; }

  // File commands. Each returns whether it was carried out; false when the
  // user cancelled it or it failed (and was reported).
  bool OnFileNew();
  bool OnFileOpen();
  bool OnFileSave();
  bool OnFileSaveAs();
  void OnExportChannels();
  void OnImportChannels();
  // File > Open Backup: a kept radio memory opens as an untitled document,
  // so saving it never overwrites the backup.
  void OnOpenBackup();
  // File > Compare With: the differences between the document (as the
  // grid shows it) and a channel data file.
  void OnCompareWith();
  void CompareWithFile(const QString& path);

  void OnRecentFile(int index);
  // Opens path as File Open does, without asking about unsaved changes:
  // loads it, takes its path, lists it as recent and shows it.
  bool OpenDocumentFile(const QString& path);
  // Shows the document's image as a new, unchanged document.
  void ShowNewDocument();
  // Asks whether to save a modified document. False means: stop.
  bool SaveModified();

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
  // File > Print, Print Preview and Print Setup on the frame's printer; an
  // open cell edit is committed first, as Save does.
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnFilePrintSetup();
  // Prints the document's working copy (the printer's page range, or all
  // five pages); reports a printer that does not start.
  bool PrintTo(QPrinter& printer);
  // The printer of Print, Preview and Setup, made on first use.
  QPrinter& Printer();
  // F6 and Shift+F6: the focus moves to the next or previous part of the view.
  void MovePane(bool forward);

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
  void CreateEditActions();
  void CreateSafeguardActions();
  QMenu* CreateEditMenu();
  // Undo and Redo name their step and follow the stack; commands that
  // change channels wait while a transfer runs.
  void UpdateEditCommands();
  void CreateMenus();
  void CreateToolBar();
  void UpdateRecentMenu();
  void UpdatePortChecks();
  void ShowView();
  bool SaveTo(const QString& path);
  // The document now belongs to this file: its path and the recent list.
  void TakePath(const QString& absolute);
  void KeepOnScreen();
  // Commands that would change or replace the document wait for the end of
  // a transfer.
  void EnableDocumentCommands(bool enabled);

  CKovDoc& document_;
  Prompter& prompter_;
  FileChooser& chooser_;
  RecentFileList recent_;
  CKovView* view_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  StatusPanes* panes_ = nullptr;
  HelpWindow* help_ = nullptr;
  QHash<int, QAction*> actions_;
  QAction* recentActions_[kRecentFileCount] = {};
  QAction* recentPlaceholder_ = nullptr;
  QAction* portActions_[4] = {};
  bool placed_ = false;

  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<TransferController> transfers_;
  bool transferHoldsEdits_ = false;  // a transfer runs: commands that change channels wait
  QHash<QAction*, bool> disabledForTransfer_;
};

}  // namespace korvel
