#pragma once
// What the clone transfer needs from the window (or the command-line tool)
// that runs it: the progress dialog's operations, the event pump, the
// prompts and the two paths between the grid and the memory image.

#include <string>

#include "model/memory_image.h"
#include "model/prompter.h"

namespace korvel {

// The progress bar runs from 0 to kProgressEnd in steps of 1.
inline constexpr int kProgressEnd = 264;

class TransferHost {
 public:
  virtual ~TransferHost() = default;

  // The progress dialog's status text.
  virtual void SetStatusText(const std::string& text) = 0;
  // The progress bar: its position, one step of 1, a position set outright.
  virtual int ProgressPosition() = 0;
  virtual void StepProgress() = 0;
  virtual void SetProgressPosition(int position) = 0;

  // One pass of the event loop: handles at most one pending event, without
  // keyboard shortcuts. Cancel, deactivation and moving of the dialog come
  // through here and set the cancel request.
  virtual void PumpPass() = 0;
  virtual bool CancelRequested() = 0;
  // While the watch is set, the dialog losing activation counts as an
  // interruption; the transfer clears it around its own message boxes.
  virtual void SetInterruptionWatch(bool on) = 0;

  // Every message box of the transfer goes here.
  virtual Prompter& Prompts() = 0;
  // Destroys the progress dialog's window; called once at every end.
  virtual void CloseDialog() = 0;

  // Grid collection into the image, before a write.
  virtual void CollectGrid(MemoryImage& image) = 0;
  // Grid fill (and bound controls) from the image, after a complete read.
  virtual void FillGrid(const MemoryImage& image) = 0;
};

}  // namespace korvel
