#pragma once
// In-place editing of the channel grid: opening the cell editor over the
// current cell, committing it when the cell is left or Enter is pressed
// (through the commit rules of the working copy), and Enter navigation.

#include <QObject>
#include <QString>

class QComboBox;
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
  // The commit of leaving a cell: an editor open on the current cell goes
  // into it, then the editor is hidden.
  void Commit();
  // Program > Edit Data.
  void EditData();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void HandleEnter(QWidget* focus);
  // Commits the frequency edit box into (row, column).
  void CommitFrequency(int row, int column);
  void PassOn(QWidget* target, int key);
  void PlaceChooser(QComboBox* chooser);

  ChannelGrid& grid_;
  CellEditors& editors_;
  ChannelTable& channels_;
  Prompter& prompter_;
};

}  // namespace korvel
