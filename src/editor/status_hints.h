#pragma once
// Status-bar hints of the form view: which hint belongs to the window under
// the mouse, and the event filter that reports it on every mouse move.

#include <QObject>
#include <QString>

class QWidget;

namespace korvel {

inline const QString kComboHint =
    QStringLiteral("Please click the CommBox to choose value，For help，please press F1");
inline const QString kGridHint =
    QStringLiteral("Please Click the cell to edit or input data，For help，please press F1");
inline const QString kViewHint = QStringLiteral("For help，please press F1");

// The hint for the window under the mouse: over a combo box (but not over the
// text field of an editable one, which is a window of its own) the combo-box
// hint, over the grid (its cells, headers and scroll bars, but not a cell
// editor) the grid hint, anywhere else the general hint.
QString HintFor(const QWidget* under, const QWidget* grid);

// Watches mouse moves over a widget tree and emits the hint for the widget
// under the mouse.
class StatusHintFilter : public QObject {
  Q_OBJECT
 public:
  StatusHintFilter(const QWidget* grid, QObject* parent);
  // Tracks the mouse over root and all its descendants, present ones; call
  // again for widgets added later.
  void Watch(QWidget* root);

 signals:
  void hint(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const QWidget* grid_;
};

}  // namespace korvel
