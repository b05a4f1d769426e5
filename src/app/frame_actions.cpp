// The frame's commands: their actions, the menus, the toolbar and the key
// bindings, and which of them wait while a transfer runs. What a command
// does is its owner's (FileCommands, PrintCommands, EditMenu,
// TransferController, the view); the frame only routes it.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QDir>
#include <QIcon>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/app_strings.h"
#include "app/edit_menu.h"
#include "app/file_commands.h"
#include "app/port_menu.h"
#include "app/print_commands.h"
#include "editor/kov_view.h"
#include "model/kov_document.h"
#include "app/main_frame.h"
#include "app/transfer_controller.h"
#include "korvel_version.h"

namespace korvel {
namespace {

// A menu text's mnemonic "&" doubled, so a file name shows as it is.
QString EscapeMnemonics(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

}  // namespace

QAction* CMainFrame::MakeAction(int id, const QString& text, const char* icon) {
  auto* action = new QAction(text, this);
  action->setData(id);
  // Menu texts carry their key after "\t"; the key table below binds it.
  action->setStatusTip(CommandPrompt(id));
  const QString tooltip = CommandTooltip(id);
  if (!tooltip.isEmpty()) action->setToolTip(tooltip);
  action->setWhatsThis(QStringLiteral("<b>%1</b><p>%2.</p>")
                           .arg((tooltip.isEmpty() ? QString(text).remove(QLatin1Char('&')).section('\t', 0, 0)
                                                   : tooltip)
                                    .toHtmlEscaped(),
                                CommandPrompt(id).trimmed().toHtmlEscaped()));
  if (icon) action->setIcon(QIcon(QStringLiteral(":/korvel/icons/%1.svg").arg(QLatin1String(icon))));
  actions_.insert(id, action);
  return action;
}

void CMainFrame::CreateActions() {
  connect(MakeAction(kCmdFileNew, QStringLiteral("&New\tCtrl+N"), "new"), &QAction::triggered, files_,
          &FileCommands::New);
  connect(MakeAction(kCmdFileOpen, QStringLiteral("&Open...\tCtrl+O"), "open"), &QAction::triggered, files_,
          &FileCommands::Open);
  connect(MakeAction(kCmdFileSave, QStringLiteral("&Save\tCtrl+S"), "save"), &QAction::triggered, files_,
          &FileCommands::Save);
  connect(MakeAction(kCmdFileSaveAs, QStringLiteral("Save &As...")), &QAction::triggered, files_,
          &FileCommands::SaveAs);
  connect(MakeAction(kCmdExportChannels, QStringLiteral("&Export Channels...")), &QAction::triggered, files_,
          &FileCommands::ExportChannels);
  connect(MakeAction(kCmdImportChannels, QStringLiteral("&Import Channels...")), &QAction::triggered, files_,
          &FileCommands::ImportChannels);
  connect(MakeAction(kCmdPrint, QStringLiteral("&Print...\tCtrl+P"), "print"), &QAction::triggered, printing_,
          &PrintCommands::Print);
  connect(MakeAction(kCmdPrintPreview, QStringLiteral("Print Pre&view")), &QAction::triggered, printing_,
          &PrintCommands::Preview);
  connect(MakeAction(kCmdPrintSetup, QStringLiteral("P&rint Setup...")), &QAction::triggered, printing_,
          &PrintCommands::Setup);
  connect(MakeAction(kCmdAppExit, QStringLiteral("E&xit")), &QAction::triggered, this, &QWidget::close);

  connect(MakeAction(kCmdReadFromRadio, QStringLiteral("&Read From Radio\tCtrl+R"), "read"), &QAction::triggered,
          this, &CMainFrame::OnReadFromRadio);
  connect(MakeAction(kCmdWriteToRadio, QStringLiteral("&Write To Radio\tCtrl+W"), "write"), &QAction::triggered,
          this, &CMainFrame::OnWriteToRadio);
  connect(MakeAction(kCmdTestMode, QStringLiteral("&Test Mode\tCtrl+T"), "testmode"), &QAction::triggered, this,
          &CMainFrame::OnTestMode);
  connect(MakeAction(kCmdEditData, QStringLiteral("&Edit Data\tCtrl+E"), "edit"), &QAction::triggered, this,
          [this] { view_->OnEditData(); });
  connect(MakeAction(kCmdOptionalFeatures, QStringLiteral("&Optional Features")), &QAction::triggered, this,
          &CMainFrame::OnOptionalFeatures);

  portMenu_ = new PortMenu(*this, *view_, [this](int id, const QString& text) { return MakeAction(id, text); });

  QAction* toolbar = MakeAction(kCmdViewToolbar, QStringLiteral("&Toolbar"));
  toolbar->setCheckable(true);
  toolbar->setChecked(true);
  connect(toolbar, &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
  QAction* status = MakeAction(kCmdViewStatusBar, QStringLiteral("&Status Bar"));
  status->setCheckable(true);
  status->setChecked(true);
  connect(status, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

  connect(MakeAction(kCmdHelpTopics, QStringLiteral("&Help Topics")), &QAction::triggered, this,
          &CMainFrame::OnHelpTopics);
  connect(MakeAction(kCmdAppAbout, QStringLiteral("&About Korvel-%1...").arg(QLatin1String(kVersion)), "about"), &QAction::triggered, this,
          &CMainFrame::OnAbout);
  connect(MakeAction(kCmdContextHelp, QStringLiteral("Context Help"), "contexthelp"), &QAction::triggered, this,
          &CMainFrame::OnContextHelp);
  connect(MakeAction(kCmdHelp, QStringLiteral("Help")), &QAction::triggered, this, &CMainFrame::OnHelp);
  connect(MakeAction(kCmdNextPane, QStringLiteral("Next Pane")), &QAction::triggered, this,
          [this] { view_->MovePane(true); });
  connect(MakeAction(kCmdPrevPane, QStringLiteral("Previous Pane")), &QAction::triggered, this,
          [this] { view_->MovePane(false); });

  // The window's keys besides the Edit menu's: every key a menu item shows
  // is bound to it, and no key to two commands (Ctrl+O opens a file, Ctrl+C
  // copies, Ctrl+E is Edit Data: the items that showed those keys as well
  // show none).
  const struct {
    int id;
    QKeySequence keys;
  } accelerators[] = {
      {kCmdFileNew, QKeySequence(Qt::CTRL | Qt::Key_N)},       {kCmdFileOpen, QKeySequence(Qt::CTRL | Qt::Key_O)},
      {kCmdPrint, QKeySequence(Qt::CTRL | Qt::Key_P)},         {kCmdFileSave, QKeySequence(Qt::CTRL | Qt::Key_S)},
      {kCmdHelp, QKeySequence(Qt::Key_F1)},                    {kCmdContextHelp, QKeySequence(Qt::SHIFT | Qt::Key_F1)},
      {kCmdNextPane, QKeySequence(Qt::Key_F6)},                {kCmdPrevPane, QKeySequence(Qt::SHIFT | Qt::Key_F6)},
      {kCmdReadFromRadio, QKeySequence(Qt::CTRL | Qt::Key_R)}, {kCmdWriteToRadio, QKeySequence(Qt::CTRL | Qt::Key_W)},
      {kCmdTestMode, QKeySequence(Qt::CTRL | Qt::Key_T)},      {kCmdEditData, QKeySequence(Qt::CTRL | Qt::Key_E)},
      {kCmdPort2, QKeySequence(Qt::CTRL | Qt::Key_D)},         {kCmdPort4, QKeySequence(Qt::CTRL | Qt::Key_F)},
  };
  for (const auto& accelerator : accelerators) {
    QAction* action = actions_.value(accelerator.id);
    action->setShortcut(accelerator.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    // Bound for the whole window, menus or not.
    addAction(action);
    windowKeys_ << accelerator.keys;
  }
  // A text field of the window does not keep these keys for its own line
  // commands (Ctrl+E to the line's end on some desktops).
  qApp->installEventFilter(this);

  editMenu_ = new EditMenu(*this, *view_, document_.History(),
                           [this](int id, const QString& text) { return MakeAction(id, text); }, actions_);
  connect(MakeAction(kCmdOpenBackup, QStringLiteral("Open &Backup...")), &QAction::triggered, files_,
          [this] { files_->OpenBackup(transfers_->BackupFolder()); });
  connect(MakeAction(kCmdCompareWith, QStringLiteral("&Compare With...")), &QAction::triggered, files_,
          &FileCommands::CompareWith);
  // The write job's safeguards: the controller keeps their settings.
  QAction* verify = MakeAction(kCmdVerifyAfterWrite, QStringLiteral("&Verify After Write"));
  QAction* backupBeforeWrite = MakeAction(kCmdBackupBeforeWrite, QStringLiteral("&Back Up Before Write"));
  transfers_->TakeWriteChecks(*verify, *backupBeforeWrite);

  for (int i = 0; i < kRecentFileCount; ++i) {
    auto* action = new QAction(this);
    action->setData(kCmdRecentFile1 + i);
    action->setStatusTip(CommandPrompt(kCmdRecentFile1 + i));
    connect(action, &QAction::triggered, files_, [this, i] { files_->OpenRecent(i); });
    recentActions_[i] = action;
  }
  recentPlaceholder_ = new QAction(QStringLiteral("Recent File"), this);
  recentPlaceholder_->setEnabled(false);
  recentPlaceholder_->setStatusTip(CommandPrompt(kCmdRecentFile1));
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const QKeySequence keys(static_cast<QKeyEvent*>(event)->keyCombination());
    // Not accepted: the window's shortcut runs, not the field's key.
    if (widget && widget->window() == this && windowKeys_.contains(keys)) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::CreateMenus() {
  QMenuBar* bar = menuBar();
  bar->setAccessibleName(QStringLiteral("Menu bar"));

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  for (int id : {kCmdFileNew, kCmdFileOpen, kCmdFileSave, kCmdFileSaveAs}) file->addAction(actions_.value(id));
  file->addSeparator();
  for (int id : {kCmdImportChannels, kCmdExportChannels, kCmdOpenBackup, kCmdCompareWith}) {
    file->addAction(actions_.value(id));
  }
  file->addSeparator();
  for (int id : {kCmdPrint, kCmdPrintPreview, kCmdPrintSetup}) file->addAction(actions_.value(id));
  file->addSeparator();
  file->addAction(recentPlaceholder_);
  for (QAction* action : recentActions_) file->addAction(action);
  file->addSeparator();
  file->addAction(actions_.value(kCmdAppExit));

  QMenu* edit = editMenu_->Menu();
  bar->addMenu(edit);

  QMenu* program = bar->addMenu(QStringLiteral("&Program"));
  const int programItems[] = {kCmdReadFromRadio, kCmdWriteToRadio, kCmdTestMode, kCmdEditData, kCmdOptionalFeatures};
  for (int id : programItems) {
    if (id != kCmdReadFromRadio) program->addSeparator();
    program->addAction(actions_.value(id));
  }
  program->addSeparator();
  program->addAction(actions_.value(kCmdVerifyAfterWrite));
  program->addAction(actions_.value(kCmdBackupBeforeWrite));

  QMenu* port = portMenu_->Menu();
  bar->addMenu(port);

  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  view->addAction(actions_.value(kCmdViewToolbar));
  view->addAction(actions_.value(kCmdViewStatusBar));

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->addAction(actions_.value(kCmdHelpTopics));
  help->addSeparator();
  help->addAction(actions_.value(kCmdAppAbout));

  for (QMenu* menu : {file, edit, program, port, view, help}) menu->setAccessibleName(QString(menu->title()).remove('&'));
}

void CMainFrame::CreateToolBar() {
  toolBar_ = new QToolBar(QStringLiteral("Standard"), this);
  toolBar_->setObjectName(QStringLiteral("standardToolBar"));
  toolBar_->setAccessibleName(QStringLiteral("Standard toolbar"));
  toolBar_->setIconSize(QSize(18, 18));
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  toolBar_->setMovable(true);
  toolBar_->setFloatable(true);
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  const int entries[] = {kCmdFileNew,  kCmdFileOpen,    kCmdFileSave, 0,         kCmdReadFromRadio,
                         kCmdWriteToRadio, kCmdTestMode, 0,            kCmdEditData, 0,
                         kCmdPrint,    kCmdContextHelp, kCmdAppAbout};
  for (int id : entries) {
    if (id == 0) {
      toolBar_->addSeparator();
      continue;
    }
    QAction* action = actions_.value(id);
    toolBar_->addAction(action);
    // A button shows only its picture: give assistive technology its name.
    if (QWidget* button = toolBar_->widgetForAction(action)) button->setAccessibleName(action->toolTip());
  }
  addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::UpdateRecentMenu() {
  const QStringList paths = files_->RecentFiles().Paths();
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* action = recentActions_[i];
    const bool used = i < paths.size();
    action->setVisible(used);
    if (used) action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(EscapeMnemonics(QDir::toNativeSeparators(paths.at(i)))));
  }
  recentPlaceholder_->setVisible(paths.isEmpty());
}

void CMainFrame::EnableDocumentCommands(bool enabled) {
  if (enabled) {
    for (auto it = disabledForTransfer_.cbegin(); it != disabledForTransfer_.cend(); ++it) it.key()->setEnabled(true);
    disabledForTransfer_.clear();
    editMenu_->HoldEdits(false);
    view_->HoldEdits(false);
    return;
  }
  QList<QAction*> commands;
  for (int id : {kCmdFileNew, kCmdFileOpen, kCmdFileSave, kCmdFileSaveAs, kCmdEditData, kCmdTestMode,
                 kCmdOptionalFeatures, kCmdReadFromRadio, kCmdWriteToRadio, kCmdOpenBackup}) {
    commands << actions_.value(id);
  }
  for (QAction* recent : recentActions_) commands << recent;
  editMenu_->HoldEdits(true);
  // The grid and the bar can still be scrolled and read, not changed.
  view_->HoldEdits(true);
  // Only what was enabled comes back afterwards.
  for (QAction* action : commands) {
    if (action == nullptr || !action->isEnabled()) continue;
    disabledForTransfer_.insert(action, true);
    action->setEnabled(false);
  }
}

}  // namespace korvel
