#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

#include "app/about_dialog.h"
#include "app/edit_menu.h"
#include "app/file_commands.h"
#include "app/port_menu.h"
#include "app/print_commands.h"
#include "app/status_panes.h"
#include "editor/kov_view.h"
#include "model/kov_document.h"
#include "app/app_strings.h"
#include "app/help_window.h"
#include "app/session_request.h"
#include "app/stop_signals.h"
#include "app/transfer_controller.h"
#include "app/window_place.h"
#include "testmode/testmode_dialog.h"
#include "features/optional_features_dialog.h"
#include "link/clock.h"
#include "link/system_serial_port.h"
#include "link/serial_port_list.h"
#include "model/document_history.h"

// The resources live in a static library: make sure they are registered.
static void InitKorvelResources() { Q_INIT_RESOURCE(korvel); }

namespace korvel {

CMainFrame::CMainFrame(CKovDoc& document, Prompter& prompter, FileChooser& chooser, QSettings& settings,
                       QWidget* parent)
    : QMainWindow(parent),
      document_(document),
      prompter_(prompter),
      settings_(settings) {
  InitKorvelResources();
  setWindowIcon(QIcon(QStringLiteral(":/korvel/icons/korvel.svg")));
  setAcceptDrops(true);

  view_ = new CKovView(document_, prompter_);
  view_->setWhatsThis(QStringLiteral(
      "<b>Channel form</b><p>The Type Setting bar chooses the radio model, the frequency band, the transmit "
      "power rank and the manual setting. Below it each row of the grid is one of the 128 channels: click a "
      "cell to edit it.</p>"));
  if (view_->accessibleName().isEmpty()) view_->setAccessibleName(QStringLiteral("Channel data"));
  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(true);
  scroll_->setWidget(view_);
  scroll_->setAccessibleName(QStringLiteral("Channel form"));
  setCentralWidget(scroll_);

  connect(view_, &CKovView::statusHint, this, [this](const QString& hint) { panes_->SetMessage(hint); });
  files_ = new FileCommands(document_, prompter_, chooser, settings, *view_, *this);
  connect(files_, &FileCommands::documentNamed, this, &CMainFrame::ShowTitle);
  ShowTitle();
  connect(files_, &FileCommands::recentFilesChanged, this, &CMainFrame::UpdateRecentMenu);
  printing_ = new PrintCommands(document_, prompter_, *view_, *this);
  transfers_ = std::make_unique<TransferController>(document_, *view_, prompter_, settings, *this);
  connect(transfers_.get(), &TransferController::runningChanged, this,
          [this](bool running) { EnableDocumentCommands(!running); });

  CreateActions();
  CreateMenus();
  historyChanges_ = document_.History().Subscribe([this] {
    setWindowModified(document_.IsModified());
    sessionAnswered_ = false;
  });
  CreateToolBar();
  statusBar()->setAccessibleName(QStringLiteral("Status bar"));
  panes_ = new StatusPanes(*statusBar());
  connect(files_, &FileCommands::outcome, panes_, &StatusPanes::ShowOutcome);
  connect(printing_, &PrintCommands::outcome, panes_, &StatusPanes::ShowOutcome);
  connect(transfers_.get(), &TransferController::outcome, panes_, &StatusPanes::ShowOutcome);
  UpdateRecentMenu();
  // The port pane shows the view's port whenever the Port menu looks at it.
  connect(portMenu_, &PortMenu::portShown, this, [this] { panes_->SetPort(portMenu_->PaneText()); });
  panes_->SetPort(portMenu_->PaneText());

  // The session ending the program, or its terminal closed: a close as on
  // Exit, through the transfer's stop and the save-changes question.
  connect(new StopSignalNotifier(this), &StopSignalNotifier::stopRequested, this, &QWidget::close);
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    QtSessionRequest session(manager);
    OnSessionEnding(session);
  });
  connect(qApp, &QCoreApplication::aboutToQuit, this, &CMainFrame::OnQuitting);

  if (!RestoreWindowPlace(*this, settings_)) resize(BoundedToScreen(*this, FirstSize()));
}

CMainFrame::~CMainFrame() {
  // The transfer ends before the view and the window it shows in go.
  transfers_.reset();
  // The Edit menu follows the history with the frame's actions: it goes first.
  delete editMenu_;
}

void CMainFrame::SetPortSource(std::unique_ptr<PortSource> source) { portMenu_->SetSource(std::move(source)); }

RecentFileList& CMainFrame::RecentFiles() { return files_->RecentFiles(); }

QSize CMainFrame::FirstSize() const {
  const QSize form = view_->SizeShowing(kFirstRows);
  int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  if (toolBar_->isVisibleTo(this) && !toolBar_->isFloating()) {
    const Qt::ToolBarArea area = toolBarArea(toolBar_);
    if (area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea) chrome += toolBar_->sizeHint().height();
  }
  return {form.width(), form.height() + chrome};
}

void CMainFrame::ShowTitle() { setWindowTitle(FrameTitle(files_->DocumentName())); }

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (placed_) return;
  placed_ = true;
  QTimer::singleShot(0, this, [this] { PlaceOnScreen(kBorderLooks); });
}

void CMainFrame::PlaceOnScreen(int looks) {
  // The border counts, and it is known only once the window manager has
  // framed the window; a window that never gets one is placed without.
  if (frameGeometry().size() == size() && looks > 1) {
    QTimer::singleShot(kBorderLookMs, this, [this, looks] { PlaceOnScreen(looks - 1); });
    return;
  }
  KeepOnScreen(*this);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (transfers_->Running()) {
    // The transfer stops first; the window closes when it has ended.
    transfers_->CloseWindowAfterTransfer();
    event->ignore();
    return;
  }
  if (!sessionAnswered_ && !MayDiscardChanges()) {
    event->ignore();
    return;
  }
  if (help_) help_->close();
  SaveWindowPlace(*this, settings_);
  event->accept();
}

bool CMainFrame::MayDiscardChanges() {
  if (askingToSave_) return false;
  askingToSave_ = true;
  const bool mayGo = files_->SaveModified();
  askingToSave_ = false;
  return mayGo;
}

void CMainFrame::OnSessionEnding(SessionRequest& session) {
  if (transfers_->Running()) {
    transfers_->CloseWindowAfterTransfer();
    // The save-changes question comes with that close, after this answer.
    if (document_.IsModified()) session.Cancel();
    return;
  }
  if (!document_.IsModified()) return;
  if (!session.AllowsInteraction()) return session.Cancel();
  const bool mayEnd = MayDiscardChanges();
  session.Release();
  if (!mayEnd) return session.Cancel();
  sessionAnswered_ = true;
}

void CMainFrame::OnQuitting() {
  if (!isVisible()) return;
  SaveWindowPlace(*this, settings_);
  if (transfers_->Running()) transfers_->CloseWindowAfterTransfer();
  if (!sessionAnswered_) MayDiscardChanges();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (transfers_->Running()) return;
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.constFirst().isLocalFile()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  if (transfers_->Running()) return;
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.constFirst().isLocalFile()) return;
  event->acceptProposedAction();
  const QString path = urls.constFirst().toLocalFile();
  activateWindow();
  // After the drop has returned, so the source is not left waiting on
  // the save question or a message.
  QTimer::singleShot(0, this, [this, path] { files_->OpenAsking(path); });
}

bool CMainFrame::event(QEvent* event) {
  // Context help: the message pane tells what the click is for while the
  // mode lasts (the mode's start and end are sent to every window).
  switch (event->type()) {
    case QEvent::EnterWhatsThisMode:
      panes_->SetPrompt(ContextHelpText());
      break;
    case QEvent::LeaveWhatsThisMode:
      panes_->SetPrompt({});
      break;
    case QEvent::StatusTip:
      // The prompt of the menu item or button under the pointer goes to
      // the message pane itself rather than over it.
      panes_->SetPrompt(static_cast<QStatusTipEvent*>(event)->tip());
      return true;
    default:
      break;
  }
  return QMainWindow::event(event);
}

void CMainFrame::OnHelpTopics() {
  if (!help_) help_ = new HelpWindow(this);
  help_->ShowTopic(QString::fromLatin1(kTopicContents));
}

void CMainFrame::OnHelp() {
  if (!help_) help_ = new HelpWindow(this);
  const QWidget* focus = QApplication::focusWidget();
  const bool inView = focus && view_->isAncestorOf(focus);
  help_->ShowTopic(QString::fromLatin1(inView ? kTopicChannels : kTopicContents));
}

void CMainFrame::OnContextHelp() {
  QWhatsThis::enterWhatsThisMode();
  panes_->SetPrompt(ContextHelpText());
}

void CMainFrame::OnAbout() {
  CAboutDlg about(this);
  about.exec();
}

void CMainFrame::OnOptionalFeatures() {
  // Its OK is the command's undo step.
  COptionalFeaturesDlg features(document_, prompter_, this);
  features.exec();
}

void CMainFrame::OnReadFromRadio() { transfers_->Prepare(TransferDirection::Read); }

void CMainFrame::OnWriteToRadio() { transfers_->Prepare(TransferDirection::Write); }

void CMainFrame::OnTestMode() {
  // Each exchange makes its own port, and opens and closes it.
  CTestModeDlg dialog(view_->BandText(), view_->PortName(), MakeSystemSerialPort, SystemClock::Instance(), prompter_,
                      this);
  // The dialog leaves the status bar in view: what each exchange sent shows
  // there while the dialog stays open.
  connect(&dialog, &CTestModeDlg::outcome, panes_, &StatusPanes::ShowOutcome);
  dialog.exec();
}

}  // namespace korvel
