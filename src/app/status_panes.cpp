#include "app/status_panes.h"

#include <QApplication>
#include <QEvent>

#include "app/app_strings.h"
#include "app/lock_keys.h"

namespace korvel {
namespace {

const char* const kIndicatorTexts[3] = {"CAP", "NUM", "SCRL"};
const char* const kIndicatorNames[3] = {"Caps Lock", "Num Lock", "Scroll Lock"};

}  // namespace

StatusPanes::StatusPanes(QStatusBar& bar) : QObject(&bar) {
  message_ = new QLabel(IdleText(), &bar);
  message_->setTextFormat(Qt::PlainText);  // a file name is shown as it is, never as markup
  message_->setAccessibleDescription(QStringLiteral("Message"));
  message_->setMinimumWidth(1);  // a long prompt must not widen the window
  bar.addWidget(message_, 1);
  port_ = new QLabel(&bar);
  port_->setFrameShape(QFrame::Panel);
  port_->setFrameShadow(QFrame::Sunken);
  port_->setAccessibleDescription(QStringLiteral("Serial port"));
  port_->setToolTip(QStringLiteral("The serial port Read, Write and Test Mode use (Port menu)"));
  bar.addPermanentWidget(port_);
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(QString::fromLatin1(kIndicatorTexts[i]), &bar);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
    bar.addPermanentWidget(label);
    indicators_[i] = label;
  }
  RefreshIndicators();
  refresh_.setSingleShot(true);
  refresh_.setInterval(0);
  connect(&refresh_, &QTimer::timeout, this, &StatusPanes::RefreshIndicators);
  outcomeEnd_.setSingleShot(true);
  outcomeEnd_.setInterval(kOutcomeMs);
  connect(&outcomeEnd_, &QTimer::timeout, this, &StatusPanes::EndOutcome);
  // A lock key changes state on a key press or release, possibly while
  // another program has the focus; look again on each and on activation.
  qApp->installEventFilter(this);
}

void StatusPanes::SetMessage(const QString& text) {
  hint_ = text;
  if (outcome_.isEmpty()) Show(text);
}

void StatusPanes::SetPrompt(const QString& text) { Show(text.isEmpty() ? outcome_ : text); }

void StatusPanes::ShowOutcome(const QString& text) {
  outcome_ = text;
  outcomeEnd_.start();
  Show(text);
}

void StatusPanes::EndOutcome() {
  const bool showing = message_->text() == outcome_;
  outcome_.clear();
  if (showing) Show(hint_);
}

void StatusPanes::Show(const QString& text) {
  message_->setText(text.isEmpty() ? IdleText() : text);
  // A narrow window cuts the text off: the pointer resting on it shows it whole.
  message_->setToolTip(message_->text());
  // Shown at once, even inside a long handler.
  message_->repaint();
}

void StatusPanes::SetPort(const QString& text) { port_->setText(text); }

void StatusPanes::RefreshIndicators() {
  const LockKeys keys = QueryLockKeys();
  const std::optional<bool> states[3] = {keys.caps, keys.num, keys.scroll};
  for (int i = 0; i < 3; ++i) {
    QLabel* label = indicators_[i];
    const QString name = QString::fromLatin1(kIndicatorNames[i]);
    label->setEnabled(states[i].value_or(false));
    if (!states[i]) {
      label->setAccessibleName(name + QStringLiteral(" state unknown"));
      label->setToolTip(name + QStringLiteral(": the state is not available on this display"));
    } else {
      label->setAccessibleName(name + (*states[i] ? QStringLiteral(" on") : QStringLiteral(" off")));
      label->setToolTip(QString());
    }
  }
}

bool StatusPanes::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::ApplicationStateChange:
      // After the event, so the server has applied the key.
      refresh_.start();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace korvel
