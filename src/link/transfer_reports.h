#pragma once
// What the user is told about a transfer once it has ended, the same in the
// window, on the command line and in the fleet log: how it ended, a write
// that left the radio half written, a check read that failed after a
// complete write, the type mismatch's detail, and a success with its
// figures.

#include <cstdint>
#include <string>

#include "link/clone_transfer.h"
#include "link/radio_jobs.h"

namespace korvel {

// A radio type byte as the user reads it: "KR - 300 (type 0x3A)" for a type
// of the model list (0x38 and on, as the settings block's model byte),
// "no model (type 0xFF)", else "an unknown model (type 0x07)".
std::string RadioTypeText(std::uint8_t type);

// The detail under the type mismatch question: "The radio reports KR - 300
// (type 0x3A); this file is set to KR - 100 (type 0x38)."
std::string TypeMismatchDetail(std::uint8_t radioType, std::uint8_t fileType);

// How a transfer ended: "completed", or the result and how far it got,
// "cancelled (131 of 264 blocks)".
std::string TransferEndText(const TransferOutcome& outcome);

// A write that ended after the radio had received at least one block,
// without completing: the radio holds some of the new memory.
bool LeftRadioPartlyWritten(const TransferOutcome& write);
// The warning after such a write: "The radio received 138 of 264 blocks
// and now holds part of the new memory and part of the old. Write it again
// before using the radio."
std::string PartialWriteWarning(const TransferOutcome& write);
// A write's result for a log: "partial (138 of 264 blocks)" for a write that
// left the radio partly written, else as TransferEndText.
std::string WriteResultText(const TransferOutcome& write);

// After a complete write whose check read did not complete: "The radio was
// written completely; only the check read after it failed (read
// acknowledgement failed)", or that it was cancelled.
std::string VerifyFailedText(const TransferOutcome& verifyRead);

// A complete read, or a write job that succeeded, on `device` (the device
// the port name opens): "Read KR - 300 on /dev/ttyUSB0 in 10.4 s", "Written
// and verified on /dev/ttyUSB0 in 14.3 s".
std::string ReadDoneText(const TransferOutcome& read, const std::string& device);
std::string WriteDoneText(const WriteJobOutcome& job, const std::string& device);

}  // namespace korvel
