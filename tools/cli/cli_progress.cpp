#include "cli_progress.h"

#include <algorithm>

#include "link/radio_jobs.h"

namespace korvel::cli {

namespace {
constexpr int kBarWidth = 40;
}

void CliProgress::StatusText(const std::string& text) {
  status_ = text;
  Draw();
}

void CliProgress::Progress(int position) {
  position_ = std::clamp(position, 0, kProgressEnd);
  Draw();
}

void CliProgress::Phase(TransferPhase phase) {
  position_ = 0;
  status_.clear();
  if (!showProgress_ || !showPhases_) return;
  EndLine();
  std::fprintf(out_, "%s\n", TransferPhaseText(phase));
  std::fflush(out_);
}

void CliProgress::Draw() {
  if (!showProgress_) return;
  const int filled = position_ * kBarWidth / kProgressEnd;
  // \r and "erase to end of line" redraw the one status line in place.
  std::fprintf(out_, "\r\033[K[%s%s] %3d/%d  %s", std::string(static_cast<std::size_t>(filled), '#').c_str(),
               std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(), position_, kProgressEnd,
               status_.c_str());
  std::fflush(out_);
  lineOpen_ = true;
}

void CliProgress::EndLine() {
  if (!lineOpen_) return;
  std::fputc('\n', out_);
  std::fflush(out_);
  lineOpen_ = false;
}

}  // namespace korvel::cli
