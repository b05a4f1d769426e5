#pragma once
// In-place editing of the channel grid: opening the cell editor over the
// current cell, committing it when the cell is left or Enter is pressed
// (through the commit rules of the working copy), and Enter navigation.

#include <QObject>
#include <QString>

#include <string>

class QComboBox;
class QKeyEvent;
class QWidget;

namespace korvel {

class CellEditors;
class ChannelGrid;
class ChannelTable;
class Prompter;

inline constexpr const char* kNumberOnlyText = "Please input Number";
inline constexpr const char* kEditDataText = "Please directly double click inside the table";

class CellEditing : public QObject {
  Q_OBJECT
 public:
  // Commits go into channels, the working copy the grid shows.
  CellEditing(ChannelGrid& grid, CellEditors& editors, ChannelTable& channels, Prompter& prompter,
              QObject* parent);

  // Handles Enter for root and every widget below it (the view's keyboard
  // pre-translation).
  void WatchKeys(QWidget* root);
  // Loads the current cell's editor with the cell's text, without showing it.
  void LoadEditor();
  // Lays the current column's editor over the current cell and opens it.
  // key: 0 for none, '\r' for Enter, otherwise the character typed.
  void Open(QChar key);
  // Commits an editor open on the current cell into it, then hides it; a
  // text the rules refuse stays in the open editor, the cell unchanged.
  void Commit();
  // Program > Edit Data.
  void EditData();
  // While held no cell editor opens; one open is committed and closed (a
  // text the rules refuse is dropped, the cell keeping its text).
  void SetHeld(bool held);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Commit() saying whether the editor's text was taken.
  bool CommitShown();
  // The commit of leaving a cell: a refused text brings the grid back to
  // its cell, the editor open on the text.
  void CommitOnLeaving();
  void Reopen(int row, int column, const QString& typed);
  // Escape: the editor closes and the cell keeps the text it had.
  void Cancel();
  void HandleEnter(QWidget* focus);
  // F2 opens the cell's editor; F4 and Alt+Down drop a chooser's list.
  bool HandleGridKey(const QKeyEvent& key);
  // Commit the frequency box or a tone text into (row, column); false when
  // refused (the editor stays open on the text).
  bool CommitFrequency(int row, int column);
  bool CommitTone(int row, int column, const std::string& text);
  void PassOn(QWidget* target, int key);
  void PlaceChooser(QComboBox* chooser);

  ChannelGrid& grid_;
  CellEditors& editors_;
  ChannelTable& channels_;
  Prompter& prompter_;
  bool held_ = false;
};

}  // namespace korvel
