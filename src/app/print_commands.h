#pragma once
// File > Print, Print Preview and Print Setup: the printout of the document's
// working copy on one printer, made on first use and kept for the session
// (its paper, orientation and page range carry from one command to the next).

#include <QObject>
#include <memory>

#include "model/kov_document.h"
#include "model/prompter.h"

class QPrinter;
class QWidget;

namespace korvel {

class CKovView;

class PrintCommands : public QObject {
  Q_OBJECT
 public:
  PrintCommands(CKovDoc& document, Prompter& prompter, CKovView& view, QWidget& window);
  ~PrintCommands() override;

  // An open cell edit is committed first, as Save does.
  void Print();
  void Preview();
  void Setup();
  // Prints the document's working copy (the printer's page range, or all
  // five pages); reports a printer that does not start, or a PDF file that
  // cannot be saved (the file and the system's reason).
  bool PrintTo(QPrinter& printer);
  QPrinter& Printer();

 signals:
  // What a print did, for the message pane: "Printed 5 pages to radio.pdf",
  // "Sent 2 pages to Office". A preview says nothing.
  void outcome(const QString& text);

 private:
  CKovDoc& document_;
  Prompter& prompter_;
  CKovView& view_;
  QWidget& window_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace korvel
