#include "editor/cell_editing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "editor/cell_editors.h"
#include "editor/channel_grid.h"
#include "model/channel_edits.h"
#include "model/prompter.h"

namespace korvel {
namespace {

constexpr int kScanColumn = 6;
constexpr int kLastRow = ChannelGrid::kRows - 1;  // 128
constexpr int kDropDownHeight = 100;              // pixels of an open chooser's list

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsTyped(QChar key) { return key.unicode() >= 0x20; }

// Index of the first entry beginning with text, ignoring case; 0 if none.
int PrefixEntry(const QComboBox& chooser, const QString& text) {
  for (int i = 0; i < chooser.count(); ++i) {
    if (chooser.itemText(i).startsWith(text, Qt::CaseInsensitive)) return i;
  }
  return 0;
}

}  // namespace

CellEditing::CellEditing(ChannelGrid& grid, CellEditors& editors, ChannelTable& channels,
                         Prompter& prompter, QObject* parent)
    : QObject(parent), grid_(grid), editors_(editors), channels_(channels), prompter_(prompter) {
  connect(&grid_, &ChannelGrid::enterCell, this, &CellEditing::LoadEditor);
  connect(&grid_, &ChannelGrid::leaveCell, this, &CellEditing::Commit);
  connect(&grid_, &ChannelGrid::dblClick, this, [this] { Open(QChar()); });
  connect(&grid_, &ChannelGrid::mouseDown, this, [this](Qt::MouseButton button) {
    if (button != Qt::RightButton) Open(QChar());
  });
  connect(&grid_, &ChannelGrid::keyPressed, this, [this](QChar key) {
    if (grid_.Col() != kScanColumn) Open(key);
  });
  connect(&grid_, &ChannelGrid::scrolled, this, [this] {
    editors_.HideAll();
    grid_.Refresh();
  });
}

void CellEditing::WatchKeys(QWidget* root) {
  root->installEventFilter(this);
  for (QWidget* child : root->findChildren<QWidget*>()) child->installEventFilter(this);
}

void CellEditing::LoadEditor() {
  if (!editors_.Created()) return;
  const QString text = grid_.Text();
  QWidget* editor = editors_.EditorOf(grid_.Col());
  if (editor == editors_.FrequencyBox()) {
    editors_.FrequencyBox()->setText(text);
  } else if (auto* chooser = qobject_cast<QComboBox*>(editor)) {
    chooser->setCurrentIndex(PrefixEntry(*chooser, text));
  }
}

void CellEditing::Open(QChar key) {
  if (!editors_.Created()) return;
  QWidget* editor = editors_.EditorOf(grid_.Col());
  if (editor == nullptr) return;
  if (IsTyped(key) && !IsDigit(key)) prompter_.Tell(kNumberOnlyText);
  const bool typed = IsTyped(key);

  // One editor at a time.
  for (QWidget* other : editors_.All()) {
    if (other != editor) editors_.Hide(other);
  }

  if (QLineEdit* box = editors_.FrequencyBox(); editor == box) {
    box->setGeometry(grid_.CellRect());
    const QString cell = grid_.Text();
    // The typed digit starts the text (an empty cell) or replaces it; a
    // rejected character leaves the cell's text, all selected.
    if (typed && IsDigit(key)) {
      box->setText(QString(key));
      box->end(false);
    } else {
      box->setText(cell);
      box->selectAll();
    }
  } else {
    auto* chooser = static_cast<QComboBox*>(editor);
    if (typed) {
      if (chooser->isEditable()) {
        // The typed character goes straight into the field.
        chooser->setEditText(QString(key));
        chooser->lineEdit()->end(false);
      } else {
        const int entry = chooser->findText(QString(key), Qt::MatchStartsWith);
        if (entry >= 0) chooser->setCurrentIndex(entry);
      }
    } else if (chooser->isEditable()) {
      chooser->lineEdit()->selectAll();
    }
    PlaceChooser(chooser);
  }
  editor->show();
  editor->raise();
  editor->setFocus();
  grid_.Refresh();
}

void CellEditing::PlaceChooser(QComboBox* chooser) {
  // Slightly larger than the cell so that it covers the cell's grid lines;
  // its list drops down about 100 pixels.
  chooser->setGeometry(grid_.CellRect().adjusted(-1, -1, 1, 1));
  const int entryHeight = chooser->fontMetrics().height() + 4;
  chooser->setMaxVisibleItems(std::max(1, kDropDownHeight / entryHeight));
}

void CellEditing::Commit() {
  if (!editors_.Created()) return;
  const int row = grid_.Row();
  const int column = grid_.Col();
  QWidget* editor = editors_.EditorOf(column);
  if (editor == nullptr || !editor->isVisibleTo(&grid_)) return;
  if (editor == editors_.FrequencyBox()) {
    CommitFrequency(row, column);
    return;
  }
  const std::string text = static_cast<QComboBox*>(editor)->currentText().toStdString();
  if (editor == editors_.ToneChooser()) {
    CommitTone(channels_, row, column, text);
  } else {
    CommitOption(channels_, row, column, text);
  }
  editors_.Hide(editor);
}

void CellEditing::CommitFrequency(int row, int column) {
  QLineEdit* box = editors_.FrequencyBox();
  const std::string text =
      korvel::CommitFrequency(channels_, row, column, box->text().toStdString(), prompter_);
  box->setText(QString::fromStdString(text));
  editors_.Hide(box);
}

void CellEditing::EditData() {
  prompter_.Tell(kEditDataText);
  grid_.SetCol(1);
  grid_.SetRow(1);
  grid_.setFocus();
}

bool CellEditing::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || watched != focus) return false;
  HandleEnter(focus);
  return true;
}

void CellEditing::HandleEnter(QWidget* focus) {
  if (!editors_.Created()) return;
  QLineEdit* box = editors_.FrequencyBox();
  QComboBox* tone = editors_.ToneChooser();

  if (focus == &grid_) {
    PassOn(&grid_, grid_.Col() == kScanColumn ? Qt::Key_Tab : Qt::Key_Right);
    return;
  }
  if (focus == box) {
    if (grid_.ColSel() == kScanColumn) {
      PassOn(box, Qt::Key_Tab);
      return;
    }
    CommitFrequency(grid_.RowSel(), grid_.ColSel());
    grid_.SetCol(grid_.Col() + 1);
    Open(QLatin1Char('\r'));
    return;
  }
  if (editors_.IsOptionChooser(focus)) {
    auto* chooser = static_cast<QComboBox*>(focus);
    // A row without frequency keeps the cell as it was.
    if (channels_.HasFrequency(grid_.RowSel())) {
      CommitOption(channels_, grid_.Row(), grid_.Col(), chooser->currentText().toStdString());
    }
    editors_.Hide(chooser);
    if (grid_.Row() >= kLastRow) {
      PassOn(QApplication::focusWidget(), Qt::Key_Tab);
      return;
    }
    // PTTID and BusyLock continue with the next row's receive frequency.
    if (chooser == editors_.OptionChooser(9) || chooser == editors_.OptionChooser(10)) {
      grid_.SetCurrent(grid_.Row() + 1, 1);
    } else {
      grid_.SetCol(grid_.Col() + 1);
    }
    Open(QLatin1Char('\r'));
    return;
  }
  if (tone->isVisibleTo(&grid_)) {
    CommitTone(channels_, grid_.Row(), grid_.Col(), tone->currentText().toStdString());
    editors_.Hide(tone);
    grid_.SetCol(grid_.Col() + 1);
    Open(QLatin1Char('\r'));
    return;
  }
  PassOn(focus, Qt::Key_Tab);
}

void CellEditing::PassOn(QWidget* target, int key) {
  if (target == nullptr) return;
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

}  // namespace korvel
