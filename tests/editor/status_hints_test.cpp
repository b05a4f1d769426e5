// Status-bar hints while the mouse moves over the view.

#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>

#include "editor/status_hints.h"
#include "editor_test_support.h"

namespace korvel::test {
namespace {

TEST_F(ViewTest, EachPartOfTheViewHasItsStatusHint) {
  // The cell editors are shown over the grid as an edit shows them.
  Grid().SetCurrent(1, 8);
  OptionChooser(8)->setGeometry(Grid().CellRect());
  FrequencyBox()->setGeometry(QRect(0, 0, 60, 18));
  QComboBox* rank = Bar().RankList();
  const struct {
    const char* name;
    QWidget* widget;
    QPoint at;
    QString hint;
  } moves[] = {
      // The arrow part of an editable list is the combo box; its field is not.
      {"list arrow", rank, QPoint(rank->width() - 3, rank->height() / 2), kComboHint},
      {"list field", rank->lineEdit(), QPoint(2, rank->lineEdit()->height() / 2), kViewHint},
      {"cells", Grid().viewport(), QPoint(20, 20), kGridHint},
      {"column header", Grid().horizontalHeader()->viewport(), QPoint(5, 5), kGridHint},
      {"form", view.get(), QPoint(view->width() - 2, view->height() - 2), kViewHint},
      {"label", view->findChild<QLabel*>(), QPoint(1, 1), kViewHint},
      {"option chooser", OptionChooser(8), QPoint(3, 3), kComboHint},
      {"frequency box", FrequencyBox(), QPoint(3, 3), kViewHint},
  };
  for (const auto& m : moves) {
    SCOPED_TRACE(m.name);
    m.widget->show();
    QSignalSpy hints(view.get(), &CKovView::statusHint);
    QMouseEvent move(QEvent::MouseMove, QPointF(m.at), QPointF(m.widget->mapToGlobal(m.at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(m.widget, &move);
    ASSERT_FALSE(hints.isEmpty());
    EXPECT_EQ(hints.last().at(0).toString(), m.hint);
  }
}

}  // namespace
}  // namespace korvel::test
