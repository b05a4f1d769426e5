#pragma once
// Driving the grid as a user does: clicks, typed keys and Enter go to the
// real widgets, and message boxes are answered by the recording prompter.

#include <QApplication>
#include <QTest>

#include "model/document_history.h"
#include "editor_test_support.h"

namespace korvel::test {

class EditTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    Bar().BandList()->setCurrentIndex(1);  // "136 - 174MHz"
    document.History().MarkSaved();           // each test starts unchanged
  }

  QWidget* Focus() const { return QApplication::focusWidget(); }
  QPoint CellCentre(int row, int column) {
    const QModelIndex index = Grid().model()->index(row - 1, column - 1);
    Grid().scrollTo(index);
    return Grid().visualRect(index).center();
  }
  void Click(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(Grid().viewport(), button, Qt::NoModifier, CellCentre(row, column));
  }
  // Makes (row, column) current with the grid focused, as arrow keys would.
  void GoTo(int row, int column) {
    Grid().setFocus();
    Grid().SetCurrent(row, column);
  }
  // Each character goes to whichever widget has the focus by then.
  void Type(const QString& text) {
    for (QChar c : text) QTest::keyClicks(Focus(), QString(c));
  }
  void Enter() { QTest::keyClick(Focus(), Qt::Key_Return); }
  // Types text on a cell of the grid (the first character opens the editor)
  // and presses Enter.
  void Enter(int row, int column, const QString& text) {
    GoTo(row, column);
    Type(text);
    Enter();
  }
  QStringList RowTexts(int row) const {
    QStringList texts;
    for (int column = 1; column <= 10; ++column) texts << Grid().TextMatrix(row, column);
    return texts;
  }
  QWidget* ShownEditor() const {
    for (QWidget* w : Grid().viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (w->isVisible()) return w;
    }
    return nullptr;
  }
  bool Shows(QWidget* editor) const { return editor != nullptr && ShownEditor() == editor; }
};

}  // namespace korvel::test
