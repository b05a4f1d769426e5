// Linked into every GUI test: without a display the tests run on Qt's
// offscreen platform. Runs before main, so before any QApplication exists.

#include <cstdlib>

namespace {

const bool kPlatformChosen = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  return true;
}();

}  // namespace
