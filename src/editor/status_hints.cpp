#include "editor/status_hints.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QWidget>

namespace korvel {

QString HintFor(const QWidget* under, const QWidget* grid) {
  if (under == nullptr) return kViewHint;
  // An edit field is its own window: the frequency edit box, or the text
  // field of an editable combo box.
  if (qobject_cast<const QLineEdit*>(under) != nullptr) return kViewHint;
  for (const QWidget* w = under; w != nullptr; w = w->parentWidget()) {
    if (qobject_cast<const QComboBox*>(w) != nullptr) return kComboHint;
    if (w == grid) return kGridHint;
  }
  return kViewHint;
}

StatusHintFilter::StatusHintFilter(const QWidget* grid, QObject* parent)
    : QObject(parent), grid_(grid) {}

void StatusHintFilter::Watch(QWidget* root) {
  root->setMouseTracking(true);
  root->installEventFilter(this);
  for (QWidget* child : root->findChildren<QWidget*>()) {
    child->setMouseTracking(true);
    child->installEventFilter(this);
  }
}

bool StatusHintFilter::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return false;
  QPointF position;
  if (event->type() == QEvent::MouseMove) {
    position = static_cast<QMouseEvent*>(event)->position();
  } else if (event->type() == QEvent::Enter) {
    position = static_cast<QEnterEvent*>(event)->position();
  } else {
    return false;
  }
  // The deepest window under the mouse, whichever widget of the chain the
  // event reached first.
  QWidget* under = widget->childAt(position.toPoint());
  emit hint(HintFor(under != nullptr ? under : widget, grid_));
  return false;
}

}  // namespace korvel
