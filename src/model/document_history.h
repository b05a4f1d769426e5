#pragma once
// Undo and redo of every change made to the document, and whether it differs
// from the file it was opened from or saved to. Each user action is one step:
// edits of the working copy collect in an open step that closes when the
// window's event loop regains control (a committed cell with everything its
// commit set, a paste, a bar value), and a command that changes the document
// as a whole names its step with a DocumentStep around the change.
//
// The document owns its history (CKovDoc::History()); "modified" is derived
// from it alone: the document is modified while edits are pending or the
// current step is not the saved one.

#include <functional>
#include <string>
#include <vector>

#include "document_state.h"
#include "subscription.h"

namespace korvel {

class CKovDoc;

class DocumentHistory {
 public:
  explicit DocumentHistory(CKovDoc& document);
  DocumentHistory(const DocumentHistory&) = delete;
  DocumentHistory& operator=(const DocumentHistory&) = delete;

  bool IsModified() const { return pending_ || done_ != saved_; }
  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The name of the step Undo or Redo would take ("Paste", "Edit Channel 5");
  // empty when there is none.
  std::string UndoName() const;
  std::string RedoName() const;
  void Undo();
  void Redo();

  // Closes the step in progress under name, or under a name made from what
  // it changed when name is empty ("Edit Channel 5", "Type Setting"). Nothing
  // when the document did not change since the last step.
  void CloseStep(const std::string& name = {});
  // New, Open or any load that starts a session afresh: no steps, the current
  // state unmodified. The document commands call it as part of their work.
  void Reset();
  // After a save: the current state is the one on disk.
  void MarkSaved();

  // Told whenever an edit opens a step: the window closes it with CloseStep()
  // when control returns to its event loop. Without one, an open step closes
  // with the next step.
  void SetOpenStepHandler(std::function<void()> handler) { openStepHandler_ = std::move(handler); }
  // Told after every change of the steps, of what Undo and Redo would do or of
  // the modified state.
  [[nodiscard]] Subscription Subscribe(std::function<void()> listener);

 private:
  struct Step {
    StateChange change;
    std::string name;
  };
  void Edited();
  void Apply(const StateChange& change, bool forward);
  void Notify();

  CKovDoc& document_;
  std::vector<Step> steps_;
  std::size_t done_ = 0;                       // steps applied; the rest can be redone
  std::size_t saved_ = 0;                      // done_ at the saved state; never equal once dropped
  static constexpr std::size_t kUnreachable = static_cast<std::size_t>(-1);
  DocumentState current_;                      // the state after the last step
  bool pending_ = false;                       // the working copy changed since then
  bool applying_ = false;                      // undo or redo is writing the document
  int scopes_ = 0;                             // DocumentSteps open around a command
  std::function<void()> openStepHandler_;
  ListenerList<> listeners_;
  Subscription edits_;
  friend class DocumentStep;
};

// One named step around a command that changes the document as a whole: any
// edit still open closes as a step of its own first, and everything changed
// while the object lives becomes one step of this name when it goes.
//
//   {
//     DocumentStep step(document.History(), "Read From Radio");
//     document.Image() = image;
//     view.ShowFilledImage();
//   }   // one undo step "Read From Radio"; the document is modified
class DocumentStep {
 public:
  DocumentStep(DocumentHistory& history, std::string name);
  ~DocumentStep();
  DocumentStep(const DocumentStep&) = delete;
  DocumentStep& operator=(const DocumentStep&) = delete;

 private:
  DocumentHistory& history_;
  std::string name_;
};

}  // namespace korvel
