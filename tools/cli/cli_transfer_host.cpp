#include "cli_transfer_host.h"

#include <algorithm>

namespace korvel::cli {

namespace {
constexpr int kBarWidth = 40;
}

CliTransferHost::CliTransferHost(Prompter& prompter, ChannelTable& table,
                                 const volatile std::sig_atomic_t& cancelRequest, std::FILE* out, bool showProgress)
    : prompter_(prompter), table_(table), cancelRequest_(cancelRequest), out_(out), showProgress_(showProgress) {}

void CliTransferHost::SetStatusText(const std::string& text) {
  status_ = text;
  Draw();
}

void CliTransferHost::StepProgress() { SetProgressPosition(position_ + 1); }

void CliTransferHost::SetProgressPosition(int position) {
  position_ = std::clamp(position, 0, kProgressEnd);
  Draw();
}

Prompter& CliTransferHost::Prompts() {
  // A message starts on a line of its own.
  EndLine();
  return prompter_;
}

void CliTransferHost::CloseDialog() {
  EndLine();
  closed_ = true;
}

void CliTransferHost::Draw() {
  if (!showProgress_ || closed_) return;
  const int filled = position_ * kBarWidth / kProgressEnd;
  // \r and "erase to end of line" redraw the one status line in place.
  std::fprintf(out_, "\r\033[K[%s%s] %3d/%d  %s", std::string(static_cast<std::size_t>(filled), '#').c_str(),
               std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(), position_, kProgressEnd,
               status_.c_str());
  std::fflush(out_);
  lineOpen_ = true;
}

void CliTransferHost::EndLine() {
  if (!lineOpen_) return;
  std::fputc('\n', out_);
  std::fflush(out_);
  lineOpen_ = false;
}

}  // namespace korvel::cli
