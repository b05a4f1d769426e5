// The frame's menus, toolbar, key bindings, status bar, port menu, view
// toggles and help commands, on the real widgets.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QWhatsThis>
#include <set>

#include "app/app_strings.h"
#include "app/command_ids.h"
#include "app/help_window.h"
#include "app/progress_dialog.h"
#include "app/status_panes.h"
#include "app_test_support.h"
#include "link/port_names.h"
#include "fixed_port_source.h"
#include "korvel_version.h"
#include "scoped_env.h"

namespace korvel::testing {
namespace {

// The menus (visible items, "-" a separator, "(off)" a disabled item), the
// toolbar (each button by its tooltip) and every key an action binds.
std::string Snapshot(CMainFrame& frame) {
  std::string text;
  for (const QAction* title : frame.menuBar()->actions()) {
    text += title->text().toStdString() + ":";
    for (const QAction* action : title->menu()->actions()) {
      if (!action->isVisible()) continue;
      text += " " + (action->isSeparator() ? std::string("-") : action->text().replace('\t', ' ').toStdString());
      if (!action->isSeparator() && !action->isEnabled()) text += " (off)";
      text += " |";
    }
    text += "\n";
  }
  text += "Toolbar:";
  for (const QAction* action : frame.ToolBar().actions())
    text += " " + (action->isSeparator() ? std::string("-") : action->toolTip().toStdString());
  std::multiset<QString> bound;  // a key bound twice shows twice
  for (const QAction* action : frame.findChildren<QAction*>())
    for (const QKeySequence& keys : action->shortcuts()) bound.insert(keys.toString());
  text += "\nKeys:";
  for (const QString& keys : bound) text += " " + keys.toStdString();
  return text + "\n";
}

using FrameCommands = FrameTest;

// Claims every key for the field, as a text field does the keys of its own
// line commands (Ctrl+E on some desktops).
struct KeyKeeper : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) event->accept();
    return false;
  }
};

TEST_F(FrameCommands, MenusToolbarAndKeys) {
  EXPECT_EQ(Snapshot(*frame),
            "&File: &New Ctrl+N | &Open... Ctrl+O | &Save Ctrl+S | Save &As... | - | &Import Channels... | "
            "&Export Channels... | Open &Backup... | &Compare With... | - | &Print... Ctrl+P | Print Pre&view | "
            "P&rint Setup... | - | Recent File (off) | - | E&xit |\n"
            "&Edit: &Undo (off) | &Redo (off) | - | Cu&t | &Copy | &Paste | - | &Delete Channel | "
            "&Insert Empty Channel | Move &Up | Move Do&wn | - | S&ort Channels... | Insert &Standard Channels... | "
            "- | Select &All |\n"
            "&Program: &Read From Radio Ctrl+R | - | &Write To Radio Ctrl+W | - | &Test Mode Ctrl+T | - | "
            "&Edit Data Ctrl+E | - | &Optional Features | - | &Verify After Write | &Back Up Before Write |\n"
            "P&ort: COM1(&P) | COM2(&Q) Ctrl+D | COM3(&S) | COM4(&T) Ctrl+F | - | "
            "No serial port found — plug in the cable (off) | - | &Other Port... |\n"
            "&View: &Toolbar | &Status Bar |\n"
            "&Help: &Help Topics | - | &About Korvel-" + std::string(kVersion) + "... |\n"
            "Toolbar: New Open Save - Read Write Debug on line - Edit - Print Help About\n"
            "Keys: Ctrl+A Ctrl+C Ctrl+D Ctrl+Down Ctrl+E Ctrl+F Ctrl+Ins Ctrl+N Ctrl+O Ctrl+P Ctrl+R Ctrl+S "
            "Ctrl+Shift+Z Ctrl+T Ctrl+Up Ctrl+V Ctrl+W Ctrl+X Ctrl+Y Ctrl+Z Del F1 F6 Ins Shift+F1 Shift+F6\n");
  for (QAction* entry : frame->ToolBar().actions()) {
    if (entry->isSeparator()) continue;
    SCOPED_TRACE(entry->toolTip().toStdString());
    EXPECT_FALSE(entry->icon().isNull());
    auto* button = qobject_cast<QToolButton*>(frame->ToolBar().widgetForAction(entry));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->accessibleName(), button->toolTip());
  }
}

// The keys the menus show reach their commands, from the grid and from a
// cell's editor.
TEST_F(FrameCommands, EveryKeyAMenuShowsRunsItsCommand) {
  QWidget* grid = frame->View().Grid();
  auto* box = frame->View().findChild<QLineEdit*>();  // the frequency cell's editor
  KeyKeeper keeper;
  box->installEventFilter(&keeper);
  const std::string kTold = "told Please directly double click inside the table, ";
  const struct {
    Qt::Key key;
    QWidget* focus;
    std::string seen;
  } presses[] = {
      {Qt::Key_R, grid, "window Reading Data Progress, port COM1"},
      {Qt::Key_T, grid, "dialog Debug Mode for  Korvel, port COM1"}, {Qt::Key_E, grid, kTold + "port COM1"},
      {Qt::Key_D, grid, "port COM2"}, {Qt::Key_F, box, "port COM4"}, {Qt::Key_E, box, kTold + "port COM4"},
      {Qt::Key_C, grid, "port COM4"},  // copies
  };
  for (const auto& press : presses) {
    SCOPED_TRACE(QKeySequence(Qt::CTRL | press.key).toString().toStdString());
    frame->activateWindow();  // again after a dialog
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    if (press.focus == box) QTest::keyClick(grid, Qt::Key_F2);  // the editor open on channel 1
    std::string seen;
    AnswerModal([&] { QTest::keyClick(press.focus, press.key, Qt::ControlModifier); },
                [&](QDialog& dialog) {
                  seen += "dialog " + dialog.windowTitle().toStdString() + ", ";
                  dialog.reject();
                });
    if (frame->Transfers().Dialog().isVisible()) {
      seen += "window " + frame->Transfers().Dialog().windowTitle().toStdString() + ", ";
      frame->Transfers().Dialog().CancelButton()->click();
    }
    for (const Prompt& told : std::exchange(prompter.asked, {})) seen += "told " + told.text + ", ";
    EXPECT_EQ(seen + "port " + frame->View().PortName().toStdString(), press.seen);
  }
}

TEST_F(FrameCommands, HoveringReadShowsItsPromptAndTooltipThenTheIdleText) {
  EXPECT_EQ(frame->Panes().MessageText(), "For Help，Please Press F1");
  QWidget* button = frame->ToolBar().widgetForAction(frame->Action(kCmdReadFromRadio));
  ASSERT_NE(button, nullptr);
  QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), button->mapToGlobal(QPointF(4, 4)));
  QApplication::sendEvent(button, &enter);
  EXPECT_EQ(frame->Panes().MessageText(), "Read Data From Radio");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button, &leave);
  EXPECT_EQ(frame->Panes().MessageText(), "For Help，Please Press F1");

  // Trailing blanks of a prompt are part of it.
  EXPECT_EQ(frame->Action(kCmdWriteToRadio)->statusTip(), "Write Data to Radio ");
  EXPECT_EQ(frame->Action(kCmdOptionalFeatures)->statusTip(), "Set the rest  functional features for the interphone");

  const QString hint = QString::fromUtf8("Please Click the cell to edit or input data，For help，please press F1");
  emit frame->View().statusHint(hint);
  EXPECT_EQ(frame->Panes().MessageText(), hint);
}

// What a job did stays in the message pane for its time: a prompt shows
// over it and gives it back, a hint of the form waits until it is gone.
TEST_F(FrameCommands, AnOutcomeOutlastsHintsAndGivesWayToPromptsForItsTime) {
  StatusPanes& panes = frame->Panes();
  panes.SetOutcomeMs(200);
  const QString hint = QString::fromUtf8("For help，please press F1");
  panes.ShowOutcome(QStringLiteral("Printed 5 pages to radio.pdf"));
  emit frame->View().statusHint(hint);
  EXPECT_EQ(panes.MessageText(), "Printed 5 pages to radio.pdf");
  panes.SetPrompt(QStringLiteral("Read Data From Radio"));
  EXPECT_EQ(panes.MessageText(), "Read Data From Radio");
  panes.SetPrompt({});
  EXPECT_EQ(panes.MessageText(), "Printed 5 pages to radio.pdf");
  QTRY_COMPARE_WITH_TIMEOUT(panes.MessageText(), hint, 5000);
  EXPECT_TRUE(panes.OutcomeText().isEmpty());
  panes.SetPrompt({});
  EXPECT_EQ(panes.MessageText(), "For Help，Please Press F1");
}

// The Port menu's items, the check marks, the port chosen and its status
// pane, from a fake port list, after the menu opens and items are chosen.
TEST_F(FrameCommands, PortMenuListsThePortsAndChecksTheOneChosen) {
  const PortDescription prolific{"/dev/ttyUSB0", "Prolific USB-Serial Controller", PortTransport::Usb, 0x067b, 0x2303};
  const PortDescription arduino{"/dev/ttyACM0", "Arduino Uno", PortTransport::Usb, 0x2341, 0x0043};
  // Shown by its device, chosen by its stable name.
  const char* const kProlific = "/dev/ttyUSB0 — Prolific USB-Serial Controller (067b:2303)";
  const struct {
    const char* what;
    std::vector<PortDescription> ports;
    std::optional<std::string> com2;  // KORVEL_COM2
    const char* typed;  // the view's port name before the menu opens
    std::vector<std::string> picks;  // items chosen in turn, by their text
    std::string listed, checked, portName, pane;  // pane "": the COM name and its device
  } cases[] = {
      {"no port", {}, {}, "COM1", {}, "No serial port found — plug in the cable (off)", "COM1(&P)",
       "COM1", ""},
      {"two USB, the second chosen", {prolific, arduino}, {}, "COM1", {"/dev/ttyACM0 — Arduino Uno (2341:0043)"},
       std::string("/dev/ttyACM0 — Arduino Uno (2341:0043) | ") + kProlific,
       "/dev/ttyACM0 — Arduino Uno (2341:0043)", "/dev/ttyACM0", "/dev/ttyACM0"},
      {"a KORVEL_COMn device, COM3 chosen twice then COM2", {}, "/dev/pts/77", "COM1",
       {"COM3(&S)", "COM3(&S)", "COM2(&Q)\tCtrl+D"}, "/dev/pts/77", "COM2(&Q) Ctrl+D", "COM2",
       "COM2 — /dev/pts/77"},
      {"a typed port beside a USB one", {prolific}, {}, "/dev/rfcomm0", {},
       std::string(kProlific) + " | /dev/rfcomm0", "/dev/rfcomm0", "/dev/rfcomm0", "/dev/rfcomm0"},
      {"the by-id name chosen", {prolific}, {}, "COM4", {kProlific}, kProlific, kProlific,
       "/dev/serial/by-id/usb-Prolific-if00-port0", "/dev/serial/by-id/usb-Prolific-if00-port0"},
  };
  QMenu* menu = nullptr;
  for (QMenu* candidate : frame->findChildren<QMenu*>())
    if (candidate->title() == "P&ort") menu = candidate;
  ASSERT_NE(menu, nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScopedEnv com2("KORVEL_COM2", c.com2);
    frame->SetPortSource(std::make_unique<test::FixedPortSource>(
        c.ports, std::map<std::string, std::string>{{"/dev/ttyUSB0", "/dev/serial/by-id/usb-Prolific-if00-port0"}}));
    frame->View().SetPortName(c.typed);
    emit menu->aboutToShow();
    for (const std::string& pick : c.picks) {
      for (QAction* item : menu->actions())
        if (item->text().toStdString() == pick) item->trigger();
    }
    // The items between the separators, and every checked item.
    std::string listed, checked;
    int separators = 0;
    for (const QAction* item : menu->actions()) {
      const std::string text = item->text().replace('\t', ' ').toStdString();
      separators += item->isSeparator();
      if (separators == 1 && !item->isSeparator())
        listed += (listed.empty() ? "" : " | ") + text + (item->isEnabled() ? "" : " (off)");
      if (item->isChecked()) checked += (checked.empty() ? "" : " | ") + text;
    }
    EXPECT_EQ(listed, c.listed);
    EXPECT_EQ(checked, c.checked);
    EXPECT_EQ(frame->View().PortName(), QString::fromStdString(c.portName));
    const std::string device = ResolvePortDevice(c.portName);
    EXPECT_EQ(frame->Panes().PortText().toStdString(), c.pane.empty() ? c.portName + " — " + device : c.pane);
    // COM1 to COM4 name the device each reaches now after their own texts.
    EXPECT_EQ(frame->Action(kCmdPort2)->statusTip().toStdString(),
              "Choose Communication Port two  — " + ResolvePortDevice("COM2"));
    EXPECT_EQ(frame->Action(kCmdPort2)->toolTip().toStdString(), "Com2 — " + ResolvePortDevice("COM2"));
  }
}

TEST_F(FrameCommands, HelpCommandsShowTheGuideAndContextHelpWaitsForAClick) {
  frame->Action(kCmdHelpTopics)->trigger();
  ASSERT_NE(frame->Help(), nullptr);
  EXPECT_TRUE(frame->Help()->isVisible());
  EXPECT_TRUE(frame->Help()->Browser().toPlainText().contains("Channel data files"));
  frame->Help()->close();

  QTest::keyClick(frame.get(), Qt::Key_F1);
  EXPECT_TRUE(frame->Help()->isVisible());
  frame->Help()->close();

  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  QTest::keyClick(frame.get(), Qt::Key_F1, Qt::ShiftModifier);
  EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
  EXPECT_EQ(frame->Panes().MessageText(), "Select an object on which to get Help");
  QWhatsThis::leaveWhatsThisMode();
  EXPECT_EQ(frame->Panes().MessageText(), "For Help，Please Press F1");
}

// The view's direct child that holds widget.
QWidget* PaneOf(QWidget* widget, QWidget* view) {
  while (widget && widget->parentWidget() != view) widget = widget->parentWidget();
  return widget;
}

TEST_F(FrameCommands, F6AndShiftF6MoveTheFocusBetweenTheViewsParts) {
  QWidget* view = &frame->View();
  QWidget* first = nullptr;
  for (QWidget* child : view->findChildren<QWidget*>())
    if (child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus)) {
      first = child;
      break;
    }
  ASSERT_NE(first, nullptr);
  first->setFocus();
  QWidget* start = PaneOf(QApplication::focusWidget(), view);
  ASSERT_NE(start, nullptr);

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
  QWidget* next = PaneOf(QApplication::focusWidget(), view);
  ASSERT_NE(next, nullptr) << "the focus left the view";
  EXPECT_NE(next, start);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
  EXPECT_EQ(PaneOf(QApplication::focusWidget(), view), start);
}

TEST_F(FrameCommands, AboutBoxShowsItsTextsAndClosesWithOk) {
  QString caption;
  QStringList texts;
  ASSERT_TRUE(AnswerModal([&] { frame->Action(kCmdAppAbout)->trigger(); },
                          [&](QDialog& box) {
                            caption = box.windowTitle();
                            for (const QLabel* label : box.findChildren<QLabel*>())
                              if (!label->text().isEmpty()) texts << label->text();
                            ClickButton(box, "OK");
                          }));
  EXPECT_EQ(caption, "About Korvel");
  EXPECT_EQ(texts.size(), 2);
  EXPECT_TRUE(texts.contains("  Korvel Communication Software-11.1"));
  EXPECT_EQ(texts.filter(QString("Version %1. ").arg(kVersion)).size(), 1) << texts.join('|').toStdString();
}

// The command runs the dialog modally on the document: OK that changed
// anything is one undo step and marks it modified.
TEST_F(FrameCommands, OptionalFeaturesOkIsOneUndoStep) {
  QString caption;
  ASSERT_TRUE(AnswerModal([&] { frame->Action(kCmdOptionalFeatures)->trigger(); },
                          [&](QDialog& dialog) {
                            caption = dialog.windowTitle();
                            dialog.findChild<QComboBox*>("squelch")->setCurrentIndex(7);
                            ClickButton(dialog, "OK");
                          }));
  EXPECT_EQ(caption, "Optional Features");
  EXPECT_TRUE(frame->isWindowModified());
  EXPECT_EQ(frame->Action(kCmdEditUndo)->text(), "&Undo Optional Features");
  EXPECT_EQ(document.Image()[0x813], 7);
  frame->Action(kCmdEditUndo)->trigger();
  EXPECT_FALSE(frame->isWindowModified());
}

}  // namespace
}  // namespace korvel::testing
