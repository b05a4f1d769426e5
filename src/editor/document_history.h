#pragma once
// Undo and redo of every change made to the document in the window. Each
// user action is one step: a change of the working copy becomes a step when
// control returns to the event loop (a committed cell with everything its
// commit set, a paste, a bar value), and commands that change the image
// itself (a read, the optional features) close their step by name. The
// stack's clean state is the document's modified flag.

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "model/document_state.h"
#include "model/kov_document.h"

namespace korvel {

class DocumentHistory : public QObject {
  Q_OBJECT
 public:
  explicit DocumentHistory(CKovDoc& document, QObject* parent = nullptr);

  QUndoStack& Stack() { return stack_; }

  // Closes the step in progress under this name (nothing when the document
  // did not change since the last step).
  void Checkpoint(const QString& name);
  // After New, Open or any load that starts a session's history afresh:
  // no steps, the current state unmodified.
  void Reset();
  // After a save: the current state is the one on disk.
  void MarkSaved();

 private:
  void Changed();
  void CheckpointPending();

  CKovDoc& document_;
  QUndoStack stack_;
  DocumentState current_;      // the state after the last step
  bool pending_ = false;       // the working copy changed since then
  bool applying_ = false;      // undo or redo is writing the document
  Subscription changes_;
  friend class DocumentStep;
};

}  // namespace korvel
