#pragma once
// The form view: the type settings bar above the channel grid, both showing
// the document's working copy of the channels.
// (Public interface used by the main frame; the editor builds the rest.)

#include <QSize>
#include <QString>
#include <QWidget>

#include "model/kov_document.h"
#include "model/prompter.h"

namespace korvel {

class ChannelEditCommands;

class CKovView : public QWidget {
  Q_OBJECT
 public:
  CKovView(CKovDoc& document, Prompter& prompter, QWidget* parent = nullptr);
  ~CKovView() override;

  // At start-up and after every New and Open: creates the cell editors the
  // first time, hides them, runs the document's grid fill, writes the
  // headers and labels, focuses channel 1's receive frequency cell.
  void OnInitialUpdate();
  // Commits an open cell edit into its cell (before Save, Read, Write).
  void CommitEdit();
  // The grid fill after a complete read: the grid and the bar show the
  // document's new image; an editor left open is closed.
  void ShowFilledImage();
  // The channel grid, over which the progress dialog is centred.
  QWidget* Grid() const;
  // Program > Edit Data.
  void OnEditData();
  // While a transfer runs: an open cell edit is committed, and neither the
  // grid's cells nor the type settings bar can be changed; the grid still
  // scrolls and shows its cells.
  void HoldEdits(bool held);
  // F6 and Shift+F6: the focus moves to the next or previous part of the
  // view (the type settings bar, the grid).
  void MovePane(bool forward);

  // The serial port name chosen in the Port menu, "COM1" at start.
  const QString& PortName() const { return portName_; }
  void SetPortName(const QString& name) { portName_ = name; }

  // The text of the band entry selected in the type settings bar, not text
  // typed over it.
  QString BandText() const;

  // The size the form asks for (its dialog template converted to pixels).
  QSize FormSize() const;
  // The size, at least FormSize, at which the grid shows every column
  // heading in full and rows channel rows.
  QSize SizeShowing(int rows) const;

  // The Edit menu's commands.
  ChannelEditCommands& EditCommands();

 protected:
  // The grid takes the room the form is given beyond its own size.
  void resizeEvent(QResizeEvent* event) override;

 signals:
  // The hint for the window under the mouse, for the first status-bar pane.
  void statusHint(const QString& text);

 private:
  CKovDoc& document_;
  Prompter& prompter_;
  QString portName_ = QStringLiteral("COM1");
  // The grid's columns in their proportions across its width.
  void LayOutColumns();

  struct Parts;
  Parts* parts_ = nullptr;  // the bar, the grid and its editors
};

}  // namespace korvel
