#include "app/progress_dialog.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/transfer_controller.h"
#include "link/transfer_events.h"
#include "link/transfer_texts.h"
#include "widgets/dialog_units.h"

namespace korvel {

CProgressDlg::CProgressDlg(TransferController& controller, const QWidget* over, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      controller_(controller),
      over_(over) {
  setModal(false);
  setFont(FormFamilyFont(10.0));
  const DialogUnits units(font());
  setFixedSize(units.Size(260, 74));
  start_ = new QPushButton(QStringLiteral("Start"), this);
  start_->setGeometry(units.Rect(7, 7, 32, 14));
  start_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setGeometry(units.Rect(194, 36, 39, 14));
  bar_ = new QProgressBar(this);
  bar_->setGeometry(units.Rect(7, 23, 226, 10));
  bar_->setRange(0, kProgressEnd);
  bar_->setTextVisible(false);
  bar_->setAccessibleName(QStringLiteral("Progress"));
  auto* label = new QLabel(QStringLiteral("Progress："), this);
  label->setGeometry(units.Rect(7, 38, 47, 12));
  status_ = new QLabel(QString::fromUtf8(texts::kNotStartYet), this);
  status_->setGeometry(units.Rect(48, 38, 142, 21));
  status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setBuddy(bar_);
  connect(start_, &QPushButton::clicked, this, &CProgressDlg::accept);
  connect(cancel_, &QPushButton::clicked, this, &CProgressDlg::reject);

  connect(&controller_, &TransferController::opened, this, &CProgressDlg::Open);
  connect(&controller_, &TransferController::closed, this, &QWidget::hide);
  connect(&controller_, &TransferController::captionChanged, this, &QWidget::setWindowTitle);
  connect(&controller_, &TransferController::statusText, status_, &QLabel::setText);
  connect(&controller_, &TransferController::progress, bar_, &QProgressBar::setValue);
  connect(&controller_, &TransferController::runningChanged, start_, [this](bool running) {
    start_->setEnabled(!running);
  });
}

void CProgressDlg::Open(const QString& caption) {
  bar_->setValue(0);
  status_->setText(QString::fromUtf8(texts::kNotStartYet));
  start_->setEnabled(true);
  setWindowTitle(caption);
  placing_ = true;
  if (over_ != nullptr) {
    const QPoint centre = over_->mapToGlobal(over_->rect().center());
    move(centre - QPoint(width() / 2, height() / 2));
  }
  show();
  raise();
  activateWindow();
  start_->setFocus();
  placing_ = false;
}

int CProgressDlg::Progress() const { return bar_->value(); }

QString CProgressDlg::StatusText() const { return status_->text(); }

void CProgressDlg::accept() { controller_.Start(); }

void CProgressDlg::reject() { controller_.Cancel(); }

void CProgressDlg::closeEvent(QCloseEvent* event) {
  // The close box is Cancel; the window goes only when no transfer runs.
  event->ignore();
  reject();
}

bool CProgressDlg::event(QEvent* event) {
  const bool handled = QDialog::event(event);
  if (event->type() == QEvent::WindowDeactivate) controller_.DialogDeactivated();
  return handled;
}

void CProgressDlg::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  if (!placing_) controller_.DialogMoved();
}

}  // namespace korvel
