#pragma once
// align as korvel-cli runs it: one test exchange that sends one alignment
// value, on whatever port, clock and streams it is given (see
// radio_transfer.h for the session).

#include <string>

#include "radio_transfer.h"

namespace korvel::cli {

struct AlignOptions {
  std::string port;
  std::string item;  // tx-frequency, low-power-voltage, squelch or tx-power
  int value = 0;     // 0..255
  std::string rx;    // MHz: digits and one decimal point, '.' or ','
  std::string tx;
  std::string rxTone = "OFF";
  std::string txTone = "OFF";
  PromptAnswers answers = {};
};

// Why text cannot be align's --rx or --tx ("\"146.52.1\" is not a frequency
// in MHz ..."); empty when it can. A frequency is read as the frequency
// box reads its text (DecimalFrequencyText), the text shown as ShownText
// shows it.
std::string AlignFrequencyRefusal(const std::string& text);

// The exit status: 0 only when the radio took the value. A refused option
// opens no port.
int AlignRadio(const AlignOptions& options, RadioSession& session);

}  // namespace korvel::cli
