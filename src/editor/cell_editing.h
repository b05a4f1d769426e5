#pragma once
// In-place editing of the channel grid: opening the cell editor over the
// current cell, committing it when the cell is left or Enter is pressed,
// the rules for a row's first and last frequency, and Enter navigation.

#include <QObject>
#include <QString>

class QComboBox;
class QWidget;

namespace korvel {

class CellEditors;
class ChannelGrid;
class Prompter;
class TypeSettingsBar;

inline constexpr const char* kNumberOnlyText = "Please input Number";
inline constexpr const char* kEditDataText = "Please directly double click inside the table";

class CellEditing : public QObject {
  Q_OBJECT
 public:
  CellEditing(ChannelGrid& grid, CellEditors& editors, const TypeSettingsBar& bar,
              Prompter& prompter, QObject* parent);

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

 signals:
  // A cell's text changed by a commit.
  void changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void HandleEnter(QWidget* focus);
  // Commits the frequency edit box into (row, column).
  void CommitFrequency(int row, int column);
  QString ToneToCommit() const;
  bool HasFrequency(int row) const;
  void SetCell(int row, int column, const QString& text);
  void PassOn(QWidget* target, int key);
  void PlaceChooser(QComboBox* chooser);

  ChannelGrid& grid_;
  CellEditors& editors_;
  const TypeSettingsBar& bar_;
  Prompter& prompter_;
};

}  // namespace korvel
