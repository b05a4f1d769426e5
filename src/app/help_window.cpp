#include "app/help_window.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace korvel {
namespace {

const QUrl kGuide(QStringLiteral("qrc:/korvel/help/guide.html"));

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("Korvel Help"));
  setAccessibleName(windowTitle());
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  browser_->setAccessibleName(QStringLiteral("User guide"));
  browser_->setOpenExternalLinks(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
  resize(560, 480);
}

void HelpWindow::ShowTopic(const QString& anchor) {
  QUrl url = kGuide;
  if (!anchor.isEmpty()) url.setFragment(anchor);
  browser_->setSource(url);
  if (anchor.isEmpty()) browser_->scrollToAnchor(QStringLiteral("top"));
  show();
  raise();
  activateWindow();
}

}  // namespace korvel
