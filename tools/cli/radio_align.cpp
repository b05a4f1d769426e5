#include "radio_align.h"

#include <optional>

#include "command_streams.h"
#include "model/frequency_check.h"
#include "model/refusal_list.h"
#include "model/tone_table.h"
#include "testmode/exchange.h"
#include "testmode/rules.h"

namespace korvel::cli {

std::string AlignFrequencyRefusal(const std::string& text) {
  if (DecimalFrequencyText(text)) return {};
  return "\"" + ShownText(text) + "\" is not a frequency in MHz (digits and one decimal point or comma)";
}

int AlignRadio(const AlignOptions& options, RadioSession& session) {
  const DebugItem* item = nullptr;
  for (const DebugItem& candidate : kDebugItems) {
    if (options.item == candidate.option) item = &candidate;
  }
  if (item == nullptr) return Fail(session.out, "--item: \"" + options.item + "\" is not a debug item");
  if (options.value < 0 || options.value > 255) return Fail(session.out, "--value must be from 0 to 255");
  // Read as the frequency box reads its text: anything else would go out as
  // some other number (atof's reading), and the radio would take it.
  for (const auto& [flag, text] : {std::pair{"--rx", &options.rx}, std::pair{"--tx", &options.tx}}) {
    if (const std::string refusal = AlignFrequencyRefusal(*text); !refusal.empty())
      return Fail(session.out, std::string(flag) + ": " + refusal);
  }
  // The dialog offers only tone-table names; so does the command line.
  for (const auto& [flag, tone] : {std::pair{"--rx-tone", &options.rxTone}, std::pair{"--tx-tone", &options.txTone}}) {
    if (!ToneTable::Instance().IndexOf(*tone))
      return Fail(session.out, std::string(flag) + ": \"" + *tone + "\" is not a tone of the tone list");
  }

  TestExchangeInput input;
  input.portName = options.port;
  input.command = item->command;
  input.value = static_cast<std::uint8_t>(options.value);
  input.rxFrequency = *DecimalFrequencyText(options.rx);
  input.txFrequency = *DecimalFrequencyText(options.tx);
  input.rxTone = ToneToSend(options.rxTone);
  input.txTone = ToneToSend(options.txTone);

  TerminalPrompter prompter(options.answers, session.in, session.out, session.interactive);
  const TestExchangeOutcome outcome = RunTestExchange(input, session.port, session.clock, prompter, session.cancel);
  if (outcome.result == TestExchangeResult::Finished) return 0;
  return Fail(session.out, std::string("align ended: ") + TestExchangeResultName(outcome.result));
}

}  // namespace korvel::cli
