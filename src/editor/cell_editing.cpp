#include "editor/cell_editing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "editor/cell_editors.h"
#include "editor/channel_grid.h"
#include "widgets/dialog_units.h"
#include "model/channel_edits.h"
#include "model/frequency_check.h"
#include "model/prompter.h"

namespace korvel {
namespace {

constexpr int kScanColumn = 6;
constexpr int kLastRow = ChannelGrid::kRows - 1;  // 128

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsTyped(QChar key) { return key.unicode() >= 0x20; }

// The character a key press types, if it types one.
QChar TypedCharacter(const QKeyEvent& key) {
  const QString text = key.text();
  if (text.size() != 1 || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return {};
  const QChar c = text.at(0);
  return c.unicode() >= 0x20 && c.unicode() != 0x7F ? c : QChar();
}

// The box's text once the typed character replaces its selection.
QString AfterTyping(const QLineEdit& box, QChar c) {
  QString text = box.text();
  int at = box.cursorPosition();
  if (box.hasSelectedText()) {
    at = box.selectionStart();
    text.remove(at, box.selectedText().size());
  }
  return text.insert(at, c);
}

// The text an editor holds.
QString EditorText(QWidget* editor) {
  if (auto* box = qobject_cast<QLineEdit*>(editor)) return box->text();
  return static_cast<QComboBox*>(editor)->currentText();
}

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
  connect(&grid_, &ChannelGrid::leaveCell, this, &CellEditing::CommitOnLeaving);
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

void CellEditing::SetHeld(bool held) {
  if (held && editors_.Created()) {
    CommitShown();
    editors_.HideAll();
    LoadEditor();
  }
  held_ = held;
}

void CellEditing::Open(QChar key) {
  if (held_ || !editors_.Created()) return;
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
        chooser->lineEdit()->clear();  // the typed character follows once shown
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
  if (auto* chooser = qobject_cast<QComboBox*>(editor); typed && chooser && chooser->isEditable()) {
    // Sent as a key to the shown field, so that the field completes it.
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
    QApplication::sendEvent(chooser->lineEdit(), &press);
  }
  grid_.Refresh();
}

void CellEditing::PlaceChooser(QComboBox* chooser) {
  // Slightly larger than the cell so that it covers the cell's grid lines.
  chooser->setGeometry(grid_.CellRect().adjusted(-1, -1, 1, 1));
  chooser->setMaxVisibleItems(kListEntriesShown);
}

void CellEditing::Commit() { CommitShown(); }

bool CellEditing::CommitShown() {
  if (!editors_.Created()) return true;
  const int row = grid_.Row();
  const int column = grid_.Col();
  QWidget* editor = editors_.EditorOf(column);
  if (editor == nullptr || !editor->isVisibleTo(&grid_)) return true;
  if (editor == editors_.FrequencyBox()) return CommitFrequency(row, column);
  const std::string text = static_cast<QComboBox*>(editor)->currentText().toStdString();
  if (editor == editors_.ToneChooser()) {
    if (!CommitTone(row, column, text)) return false;
  } else {
    CommitOption(channels_, row, column, text);
  }
  editors_.Hide(editor);
  return true;
}

void CellEditing::CommitOnLeaving() {
  const int row = grid_.Row();
  const int column = grid_.Col();
  QWidget* editor = editors_.Shown();
  if (CommitShown()) return;
  // A refused text brings the user back to its cell, the editor open on it,
  // once the grid has finished moving away.
  const QString typed = EditorText(editor);
  editors_.Hide(editor);
  QMetaObject::invokeMethod(
      this, [this, row, column, typed] { Reopen(row, column, typed); }, Qt::QueuedConnection);
}

void CellEditing::Reopen(int row, int column, const QString& typed) {
  grid_.setFocus();
  grid_.SetCurrent(row, column);
  Open(QChar());
  QWidget* editor = editors_.EditorOf(column);
  if (auto* box = qobject_cast<QLineEdit*>(editor)) {
    box->setText(typed);
    box->selectAll();
  } else if (auto* chooser = qobject_cast<QComboBox*>(editor); chooser && chooser->isEditable()) {
    chooser->setEditText(typed);
    chooser->lineEdit()->selectAll();
  }
}

void CellEditing::Cancel() {
  editors_.HideAll();
  LoadEditor();
}

bool CellEditing::CommitFrequency(int row, int column) {
  QLineEdit* box = editors_.FrequencyBox();
  const std::optional<std::string> text =
      korvel::CommitFrequency(channels_, row, column, box->text().toStdString(), prompter_);
  if (!text) {
    // The cell keeps its text; the typed one stays to be corrected.
    box->selectAll();
    return false;
  }
  box->setText(QString::fromStdString(*text));
  editors_.Hide(box);
  return true;
}

bool CellEditing::CommitTone(int row, int column, const std::string& text) {
  if (korvel::CommitTone(channels_, row, column, text)) return true;
  prompter_.Tell(kUnknownToneText);
  editors_.ToneChooser()->lineEdit()->selectAll();
  return false;
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
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || watched != focus || !editors_.Created()) return false;
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    HandleEnter(focus);
    return true;
  }
  QWidget* shown = editors_.Shown();
  if (key->key() == Qt::Key_Escape && shown != nullptr && (focus == shown || shown->isAncestorOf(focus))) {
    Cancel();
    return true;
  }
  if (focus == &grid_) return HandleGridKey(*key);
  if (focus == editors_.FrequencyBox()) {
    // Anything but digits and one decimal separator is refused as a cell's
    // first key is.
    const QChar c = TypedCharacter(*key);
    if (!c.isNull() && !IsFrequencyTyping(AfterTyping(*editors_.FrequencyBox(), c).toStdString())) {
      prompter_.Tell(kNumberOnlyText);
      return true;
    }
  }
  return false;
}

bool CellEditing::HandleGridKey(const QKeyEvent& key) {
  if (key.key() == Qt::Key_F2) {
    Open(QChar());
    return true;
  }
  const bool dropDown = key.key() == Qt::Key_F4 ||
                        (key.key() == Qt::Key_Down && (key.modifiers() & Qt::AltModifier));
  if (!dropDown) return false;
  if (auto* chooser = qobject_cast<QComboBox*>(editors_.EditorOf(grid_.Col()))) {
    Open(QChar());
    chooser->showPopup();
  }
  return true;
}

void CellEditing::HandleEnter(QWidget* focus) {
  if (!editors_.Created()) return;
  QLineEdit* box = editors_.FrequencyBox();
  QComboBox* tone = editors_.ToneChooser();

  if (focus == &grid_) {
    Open(QChar());
    return;
  }
  if (focus == box) {
    if (grid_.ColSel() == kScanColumn) {
      PassOn(box, Qt::Key_Tab);
      return;
    }
    if (!CommitFrequency(grid_.RowSel(), grid_.ColSel())) return;
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
    if (!CommitTone(grid_.Row(), grid_.Col(), tone->currentText().toStdString())) return;
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
