#pragma once
// The window against the simulated radio, in-process, for the tests of
// the commands that talk to the radio.

#include <QPushButton>
#include <memory>
#include <optional>

#include "app/progress_dialog.h"
#include "app/transfer_controller.h"
#include "app_test_support.h"
#include "model/settings_block.h"
#include "simulated_port.h"
#include "simulated_clock.h"

namespace korvel::testing {

// The window against the simulated radio in-process. Read time-outs run on
// simulated time; pauses run on `pauses` (simulated, or real when a test
// must act while the transfer runs).
class WindowTransfer : public FrameTest {
 protected:
  // The radio reports identType in its ident reply, by default its memory's
  // radio type byte.
  void Connect(const MemoryImage& memory, radiosim::RadioFaults faults = {}, bool realPauses = false,
               std::optional<std::uint8_t> identType = {}) {
    radio = std::make_unique<radiosim::RadioProtocol>(memory, identType.value_or(memory[settings::kRadioType]), faults);
    port = std::make_unique<test::SimulatedPort>(*radio, clock);
    frame->Transfers().SetLink(port->Factory(), realPauses ? static_cast<Clock&>(SystemClock::Instance()) : clock);
  }
  CProgressDlg& Dialog() { return frame->Transfers().Dialog(); }
  bool Running() { return frame->Transfers().Running(); }
  void Start() { Dialog().StartButton()->click(); }
  void Deactivate() {
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&Dialog(), &deactivate);
  }
  // Runs the event loop until the transfer has ended and the dialog is gone.
  bool WaitForEnd(int ms = 20000) {
    return WaitUntil([this] { return !Running() && !Dialog().isVisible(); }, ms);
  }
  bool WaitForProgress(int position, int ms = 10000) {
    return WaitUntil([this, position] { return Dialog().Progress() >= position; }, ms);
  }
  void TearDown() override {
    if (frame && Running()) {
      Dialog().CancelButton()->click();
      WaitForEnd();
    }
    FrameTest::TearDown();
  }

  test::SimulatedClock clock;
  std::unique_ptr<radiosim::RadioProtocol> radio;
  std::unique_ptr<test::SimulatedPort> port;
};

}  // namespace korvel::testing
