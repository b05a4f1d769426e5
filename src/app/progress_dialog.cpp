#include "app/progress_dialog.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "widgets/dialog_units.h"
#include "link/transfer_events.h"
#include "link/transfer_texts.h"
#include "model/prompter.h"

namespace korvel {

CProgressDlg::CProgressDlg(Prompter& prompter, std::function<bool()> watch, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      prompter_(prompter),
      watch_(std::move(watch)) {
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
}

bool CProgressDlg::Running() const { return hasWindow_ && !start_->isEnabled(); }

void CProgressDlg::CreateWindow(const QWidget* over) {
  bar_->setValue(0);
  status_->setText(QString::fromUtf8(texts::kNotStartYet));
  cancelRequested_ = false;
  start_->setEnabled(true);
  setWindowTitle(captionText_);
  hasWindow_ = true;
  placing_ = true;
  if (over != nullptr) {
    const QPoint centre = over->mapToGlobal(over->rect().center());
    move(centre - QPoint(width() / 2, height() / 2));
  }
  show();
  raise();
  activateWindow();
  start_->setFocus();
  placing_ = false;
}

void CProgressDlg::DestroyWindow() {
  hasWindow_ = false;
  start_->setEnabled(true);
  hide();
}

void CProgressDlg::SetStatusText(const QString& text) { status_->setText(text); }

void CProgressDlg::SetProgress(int position) { bar_->setValue(position); }

int CProgressDlg::Progress() const { return bar_->value(); }

QString CProgressDlg::StatusText() const { return status_->text(); }

void CProgressDlg::accept() {
  if (!hasWindow_ || !start_->isEnabled()) return;
  start_->setEnabled(false);
  // The transfer starts once this handler has returned, as a posted message
  // would start it.
  QMetaObject::invokeMethod(this, &CProgressDlg::startTransfer, Qt::QueuedConnection);
}

void CProgressDlg::reject() {
  const bool idle = start_->isEnabled();
  RequestCancel();
  if (idle) DestroyWindow();
}

void CProgressDlg::closeEvent(QCloseEvent* event) {
  // The close box is Cancel; the window goes only when no transfer runs.
  event->ignore();
  reject();
}

void CProgressDlg::RequestCancel() {
  cancelRequested_ = true;
  emit cancelRequested();
}

void CProgressDlg::Interrupt() {
  RequestCancel();
  Prompt prompt{texts::kInterrupted};
  prompt.id = PromptId::Message;
  prompter_.Ask(prompt);
}

bool CProgressDlg::event(QEvent* event) {
  const bool handled = QDialog::event(event);
  // Losing activation while a transfer runs, unless the transfer itself is
  // showing a message.
  if (event->type() == QEvent::WindowDeactivate && !cancelRequested_ && Running() && watch_()) Interrupt();
  return handled;
}

void CProgressDlg::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  // Told once: a drag moves the window many times.
  if (placing_ || !Running() || cancelRequested_) return;
  Interrupt();
}

}  // namespace korvel
