#pragma once
// The Edit menu's commands on the channel grid: undo and redo, the
// clipboard (rows as tab-separated text, the way spreadsheets exchange
// them), and emptying, inserting and moving channels. Every change goes
// through the model's rules and becomes one undo step.

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "model/channel_csv.h"

class QWidget;

namespace korvel {

class CKovDoc;
class CellEditing;
class CellEditors;
class ChannelGrid;
class DocumentHistory;
class Prompter;

class ChannelEditCommands : public QObject {
  Q_OBJECT
 public:
  ChannelEditCommands(CKovDoc& document, ChannelGrid& grid, CellEditors& editors, CellEditing& editing,
                      DocumentHistory& history, Prompter& prompter, QObject* parent = nullptr);

  void Undo();
  void Redo();
  // Copies the channels of the selected rows or cells, then empties them.
  void Cut();
  // Rows selected whole go as ten texts a line; otherwise the selected
  // rectangle of cells.
  void Copy();
  // Pastes the clipboard's text at the first selected row, or at the
  // current cell; lines of ten cells always start at the Receive column.
  // All or nothing: a refused cell is reported and nothing changes.
  void Paste();
  // Empties the selected channels, or the current one.
  void DeleteChannels();
  // An empty channel at the current row; those below move down one.
  void InsertChannel();
  // Moves the selected channels (or the current one) up or down one row.
  void MoveUp() { Move(-1); }
  void MoveDown() { Move(1); }
  void SelectAll();
  // Sorts the selected channels (at least two rows, or the rows of the
  // selected cells), or else all channels in use, by the column and
  // direction a dialog asks for: one undo step "Sort".
  void SortChannels();
  // Inserts the set a dialog offers into empty channels from the current
  // row down: one undo step; refused, changing nothing, without the room.
  void InsertStandardChannels();
  // Takes channels from CSV text (see the model's CSV import): all or
  // nothing, refused cells reported with their line and column. The grid
  // then shows the first channel imported, selected. Gives what the import
  // did (the channels imported, ascending, and its notes); nullopt when
  // nothing was imported.
  std::optional<CsvImportOutcome> ImportCsv(const std::string& csv, bool replaceAll);

 private:
  // The rows the commands act on: the selected ones, else the current one.
  std::pair<int, int> TargetRows() const;
  // Cut's rows: those selected whole, else every row the selected cells
  // span (the rows Copy puts on the clipboard).
  std::vector<int> RowsOfSelection() const;
  // Before a command: an open edit is committed (it is a step of its own)
  // and the editor closed. False when the edit was refused. A command that
  // changes channels then opens its DocumentStep.
  bool Prepare();
  // After a command changed the document: the editor shows the current
  // cell's new text when next opened.
  void Finish();
  void Move(int by);

  CKovDoc& document_;
  ChannelGrid& grid_;
  CellEditors& editors_;
  CellEditing& editing_;
  DocumentHistory& history_;
  Prompter& prompter_;
};

}  // namespace korvel
