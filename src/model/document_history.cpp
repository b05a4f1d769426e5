#include "document_history.h"

#include <utility>

#include "kov_document.h"

namespace korvel {
namespace {

// The name of a step the working copy's changes made on their own.
std::string EditName(const StateChange& change) {
  const std::vector<int> rows = change.Rows();
  if (rows.empty()) return change.ChangesType() ? "Type Setting" : "Edit";
  if (rows.size() == 1) return "Edit Channel " + std::to_string(rows.front());
  return "Edit Channels " + std::to_string(rows.front()) + "-" + std::to_string(rows.back());
}

}  // namespace

DocumentHistory::DocumentHistory(CKovDoc& document) : document_(document), current_(CaptureState(document)) {
  edits_ = document_.Channels().Subscribe([this](const ChannelChange& change) {
    // A grid fill only shows the image: the command around it names its step.
    if (change.kind != ChannelChange::Kind::Filled) Edited();
  });
}

std::string DocumentHistory::UndoName() const { return CanUndo() ? steps_[done_ - 1].name : std::string(); }

std::string DocumentHistory::RedoName() const { return CanRedo() ? steps_[done_].name : std::string(); }

void DocumentHistory::Edited() {
  if (applying_ || pending_) return;
  pending_ = true;
  // Everything one event did is one step; a command's own step takes it.
  if (scopes_ == 0 && openStepHandler_) openStepHandler_();
  Notify();
}

void DocumentHistory::CloseStep(const std::string& name) {
  const bool wasPending = std::exchange(pending_, false);
  DocumentState now = CaptureState(document_);
  std::optional<StateChange> change = StateChange::Between(current_, now);
  current_ = std::move(now);
  if (change) {
    // A new step drops the steps undone before it, and with them a saved
    // state among them.
    if (saved_ != kUnreachable && saved_ > done_) saved_ = kUnreachable;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    std::string stepName = name.empty() ? EditName(*change) : name;
    steps_.push_back(Step{std::move(*change), std::move(stepName)});
    ++done_;
  }
  if (change || wasPending) Notify();
}

void DocumentHistory::Apply(const StateChange& change, bool forward) {
  applying_ = true;
  if (forward) {
    change.Redo(document_);
  } else {
    change.Undo(document_);
  }
  applying_ = false;
  current_ = CaptureState(document_);
  pending_ = false;
  Notify();
}

void DocumentHistory::Undo() {
  if (pending_) CloseStep();
  if (!CanUndo()) return;
  --done_;
  Apply(steps_[done_].change, false);
}

void DocumentHistory::Redo() {
  if (pending_) CloseStep();
  if (!CanRedo()) return;
  ++done_;
  Apply(steps_[done_ - 1].change, true);
}

void DocumentHistory::Reset() {
  pending_ = false;
  current_ = CaptureState(document_);
  steps_.clear();
  done_ = 0;
  saved_ = 0;
  Notify();
}

void DocumentHistory::MarkSaved() {
  if (pending_) CloseStep();
  saved_ = done_;
  Notify();
}

Subscription DocumentHistory::Subscribe(std::function<void()> listener) {
  return listeners_.Add(std::move(listener));
}

void DocumentHistory::Notify() { listeners_.Notify(); }

DocumentStep::DocumentStep(DocumentHistory& history, std::string name) : history_(history), name_(std::move(name)) {
  if (history_.pending_) history_.CloseStep();
  ++history_.scopes_;
}

DocumentStep::~DocumentStep() {
  --history_.scopes_;
  history_.CloseStep(name_);
}

}  // namespace korvel
