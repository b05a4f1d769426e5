#include "editor/document_history.h"

#include <QTimer>
#include <QUndoCommand>

namespace korvel {

// One step on the stack: the change, applied again on redo and taken back
// on undo. Pushing it does not apply it, the document already holds it.
class DocumentStep : public QUndoCommand {
 public:
  DocumentStep(DocumentHistory& history, StateChange change, const QString& name)
      : QUndoCommand(name), history_(history), change_(std::move(change)) {}

  void undo() override { Apply(false); }
  void redo() override {
    if (pushed_) Apply(true);
    pushed_ = true;
  }

 private:
  void Apply(bool forward) {
    history_.applying_ = true;
    if (forward) {
      change_.Redo(history_.document_);
    } else {
      change_.Undo(history_.document_);
    }
    history_.applying_ = false;
    history_.current_ = CaptureState(history_.document_);
    history_.pending_ = false;
  }

  DocumentHistory& history_;
  StateChange change_;
  bool pushed_ = false;
};

namespace {

// The name of a step the working copy's changes made on their own.
QString EditName(const StateChange& change) {
  const std::vector<int> rows = change.Rows();
  if (rows.empty()) return change.ChangesType() ? QStringLiteral("Type Setting") : QStringLiteral("Edit");
  if (rows.size() == 1) return QStringLiteral("Edit Channel %1").arg(rows.front());
  return QStringLiteral("Edit Channels %1-%2").arg(rows.front()).arg(rows.back());
}

}  // namespace

DocumentHistory::DocumentHistory(CKovDoc& document, QObject* parent)
    : QObject(parent), document_(document), current_(CaptureState(document)) {
  stack_.setUndoLimit(0);  // the whole session
  changes_ = document_.Channels().Subscribe([this](const ChannelChange&) { Changed(); });
  connect(&stack_, &QUndoStack::cleanChanged, this, [this](bool clean) { document_.SetModified(!clean); });
}

void DocumentHistory::Changed() {
  if (applying_ || pending_) return;
  pending_ = true;
  // Everything one event did is one step.
  QTimer::singleShot(0, this, &DocumentHistory::CheckpointPending);
}

void DocumentHistory::CheckpointPending() {
  if (pending_) Checkpoint(QString());
}

void DocumentHistory::Checkpoint(const QString& name) {
  pending_ = false;
  DocumentState now = CaptureState(document_);
  std::optional<StateChange> change = StateChange::Between(current_, now);
  current_ = std::move(now);
  if (change) stack_.push(new DocumentStep(*this, std::move(*change), name.isEmpty() ? EditName(*change) : name));
  // A change taken back within the same step leaves the flag as it was.
  document_.SetModified(!stack_.isClean());
}

void DocumentHistory::Reset() {
  pending_ = false;
  current_ = CaptureState(document_);
  stack_.clear();
  stack_.setClean();
  document_.SetModified(false);
}

void DocumentHistory::MarkSaved() {
  if (pending_) Checkpoint(QString());
  stack_.setClean();
  document_.SetModified(false);
}

}  // namespace korvel
