// Status-bar hints while the mouse moves over the view.

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>

#include "editor/status_hints.h"
#include "editor_test_support.h"

namespace korvel::test {
namespace {

class HintTest : public ViewTest {
 protected:
  // The hint the view reports for a mouse move at pos of widget.
  QString HintAt(QWidget* widget, QPoint pos) {
    QSignalSpy hints(view.get(), &CKovView::statusHint);
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    if (hints.isEmpty()) return QStringLiteral("<none>");
    return hints.last().at(0).toString();
  }
};

TEST_F(HintTest, CombosGridAndTheRestHaveTheirHints) {
  QComboBox* rank = Bar().RankList();
  // The arrow part of an editable list is the combo box; its field is not.
  EXPECT_EQ(HintAt(rank, QPoint(rank->width() - 3, rank->height() / 2)), kComboHint);
  QLineEdit* field = rank->lineEdit();
  EXPECT_EQ(HintAt(field, QPoint(2, field->height() / 2)), kViewHint);

  QWidget* cells = Grid().viewport();
  EXPECT_EQ(HintAt(cells, QPoint(20, 20)), kGridHint);
  EXPECT_EQ(HintAt(Grid().horizontalHeader()->viewport(), QPoint(5, 5)), kGridHint);

  EXPECT_EQ(HintAt(view.get(), QPoint(view->width() - 2, view->height() - 2)), kViewHint);
  auto* label = view->findChild<QLabel*>();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(HintAt(label, QPoint(1, 1)), kViewHint);
}

TEST_F(HintTest, CellEditorsOverTheGridHaveTheirOwnHints) {
  Grid().SetCurrent(1, 8);
  QComboBox* chooser = OptionChooser(8);
  chooser->setGeometry(Grid().CellRect());
  chooser->show();
  EXPECT_EQ(HintAt(chooser, QPoint(3, 3)), kComboHint);
  chooser->hide();

  QLineEdit* box = FrequencyBox();
  box->setGeometry(QRect(0, 0, 60, 18));
  box->show();
  EXPECT_EQ(HintAt(box, QPoint(3, 3)), kViewHint);
}

}  // namespace
}  // namespace korvel::test
