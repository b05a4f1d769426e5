#include "app/port_menu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "app/app_strings.h"
#include "app/command_ids.h"
#include "app/other_port_dialog.h"
#include "editor/kov_view.h"
#include "link/port_names.h"
#include "link/serial_port_list.h"

namespace korvel {
namespace {

struct ComItem {
  int id;
  const char* text;
  const char* port;
};

// Ctrl+C copies and Ctrl+E is Edit Data: COM1 and COM3 show no key.
constexpr ComItem kComItems[4] = {
    {kCmdPort1, "COM1(&P)", "COM1"},
    {kCmdPort2, "COM2(&Q)\tCtrl+D", "COM2"},
    {kCmdPort3, "COM3(&S)", "COM3"},
    {kCmdPort4, "COM4(&T)\tCtrl+F", "COM4"},
};

const QString kDash = QString::fromUtf8(" — ");

// A source that lists nothing: only the KORVEL_COMn devices appear.
class NoPorts : public PortSource {
 public:
  std::vector<PortDescription> Ports() override { return {}; }
  std::string StableName(const std::string&) override { return {}; }
};

// A menu text's mnemonic "&" doubled, so a device name shows as it is.
QString Escaped(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

QString DeviceOf(const QString& name) {
  return QString::fromStdString(ResolvePortDevice(name.toStdString()));
}

}  // namespace

PortMenu::PortMenu(QWidget& window, CKovView& view, const ActionMaker& make)
    : QObject(&window), window_(window), view_(view), source_(std::make_unique<NoPorts>()) {
  menu_ = new QMenu(QStringLiteral("P&ort"), &window);
  // Check marks, not radio marks: Refresh keeps exactly the chosen port checked.
  for (int i = 0; i < 4; ++i) {
    QAction* action = make(kComItems[i].id, QString::fromLatin1(kComItems[i].text));
    action->setCheckable(true);
    const QString port = QString::fromLatin1(kComItems[i].port);
    connect(action, &QAction::triggered, this, [this, port] { Choose(port); });
    menu_->addAction(action);
    comActions_[i] = action;
  }
  menu_->addSeparator();
  listEnd_ = menu_->addSeparator();
  QAction* other = make(kCmdOtherPort, QStringLiteral("&Other Port..."));
  connect(other, &QAction::triggered, this, &PortMenu::ChooseOther);
  menu_->addAction(other);
  // The ports present and the devices COM1 to COM4 reach change while the
  // program runs: they are looked up whenever the menu opens.
  connect(menu_, &QMenu::aboutToShow, this, &PortMenu::Refresh);
  Refresh();
}

PortMenu::~PortMenu() = default;

void PortMenu::SetSource(std::unique_ptr<PortSource> source) {
  source_ = std::move(source);
  Refresh();
}

void PortMenu::Refresh() {
  const QString chosen = view_.PortName();
  bool shown = false;
  for (int i = 0; i < 4; ++i) {
    QAction* action = comActions_[i];
    const QString port = QString::fromLatin1(kComItems[i].port);
    const QString device = DeviceOf(port);
    action->setStatusTip(CommandPrompt(kComItems[i].id) + kDash + device);
    action->setToolTip(CommandTooltip(kComItems[i].id) + kDash + device);
    action->setChecked(chosen == port);
    shown = shown || chosen == port;
  }

  // Later, not now: the item chosen may be the one whose signal runs this.
  for (QAction* action : listed_) {
    menu_->removeAction(action);
    action->deleteLater();
  }
  listed_.clear();
  for (const ListedPort& port : ListSerialPorts(*source_)) {
    const QString name = QString::fromStdString(port.name);
    AddListed(QString::fromStdString(PortMenuText(port)), name);
    shown = shown || chosen == name;
  }
  if (listed_.empty()) {
    QAction* none = new QAction(QString::fromUtf8(kNoPortFound), menu_);
    none->setEnabled(false);
    menu_->insertAction(listEnd_, none);
    listed_.push_back(none);
  }
  // A typed device, or one that has gone: the user still sees what is chosen.
  if (!shown) AddListed(chosen, chosen);
  emit portShown();
}

QAction* PortMenu::AddListed(const QString& text, const QString& name) {
  auto* action = new QAction(Escaped(text), menu_);
  action->setStatusTip(QStringLiteral("Choose the serial port ") + name);
  action->setCheckable(true);
  action->setChecked(view_.PortName() == name);
  connect(action, &QAction::triggered, this, [this, name] { Choose(name); });
  menu_->insertAction(listEnd_, action);
  listed_.push_back(action);
  return action;
}

QString PortMenu::PaneText() const {
  const QString name = view_.PortName();
  const QString device = DeviceOf(name);
  return device == name ? name : name + kDash + device;
}

void PortMenu::Choose(const QString& name) {
  view_.SetPortName(name);
  Refresh();
}

void PortMenu::ChooseOther() {
  OtherPortDialog dialog(view_.PortName(), &window_);
  if (dialog.exec() == QDialog::Accepted) Choose(dialog.Path());
}

}  // namespace korvel
