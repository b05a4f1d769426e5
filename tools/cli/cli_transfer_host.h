#pragma once
// The clone transfer's host on the command line: the progress dialog is a
// status line with a bar on standard error (only on a terminal), the event
// pump does nothing, and the cancel request is a flag set from outside (the
// first Ctrl+C).

#include <csignal>
#include <cstdio>
#include <string>

#include "link/transfer_host.h"
#include "model/channel_table.h"

namespace korvel::cli {

class CliTransferHost final : public TransferHost {
 public:
  CliTransferHost(Prompter& prompter, ChannelTable& table, const volatile std::sig_atomic_t& cancelRequest,
                  std::FILE* out, bool showProgress);

  void SetStatusText(const std::string& text) override;
  int ProgressPosition() override { return position_; }
  void StepProgress() override;
  void SetProgressPosition(int position) override;
  void PumpPass() override {}
  bool CancelRequested() override { return cancelRequest_ != 0; }
  void SetInterruptionWatch(bool /*on*/) override {}
  Prompter& Prompts() override;
  void CloseDialog() override;
  void CollectGrid(MemoryImage& image) override { table_.Collect(image); }
  void FillGrid(const MemoryImage& image) override { table_.Fill(image); }

  const std::string& StatusText() const { return status_; }
  bool DialogClosed() const { return closed_; }

 private:
  void Draw();
  void EndLine();

  Prompter& prompter_;
  ChannelTable& table_;
  const volatile std::sig_atomic_t& cancelRequest_;
  std::FILE* out_;
  bool showProgress_;
  bool lineOpen_ = false;
  bool closed_ = false;
  int position_ = 0;
  std::string status_;
};

}  // namespace korvel::cli
