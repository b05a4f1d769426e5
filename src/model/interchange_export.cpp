// The interchange layout written: a line per channel in use, its tones in
// the Tone form that reads them back.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "channel_columns.h"
#include "delimited_text.h"
#include "interchange_columns.h"
#include "interchange_csv.h"
#include "number_text.h"
#include "refusal_list.h"
#include "tone_table.h"

namespace korvel {
namespace interchange {
namespace {

constexpr std::string_view kRowEnd = "\r\n";
// Transmit frequencies further than this from the receive frequency are
// written as split rather than as an offset (10 Hz units: 10 MHz).
constexpr std::int64_t kLargestOffset = 1000000;
// The steps TStep names, largest first, in 10 Hz units.
constexpr std::array<std::uint32_t, 5> kSteps = {2500, 1250, 1000, 625, 500};
// What an export writes in tone cells its Tone form does not read.
constexpr std::string_view kUnusedTone = "88.5";
constexpr std::string_view kUnusedCode = "023";
constexpr std::string_view kUnusedPolarity = "NN";
constexpr std::string_view kUnusedCross = "Tone->Tone";

struct Tone {
  enum Kind { Off, Ctcss, Dcs, Unknown } kind = Off;
  std::string value;    // the hertz or the three digits of the code
  char polarity = 'N';  // of a DCS code: N or R
};

Tone ToneOf(const std::string& text) {
  if (text.empty()) return {};
  const ToneTable& tones = ToneTable::Instance();
  const std::optional<int> index = tones.IndexOf(text);
  if (!index) return {Tone::Unknown, text};
  const std::string& name = tones.Name(*index);
  if (*index == 0) return {};
  if (*index < ToneTable::kFirstDcsNormal) return {Tone::Ctcss, name};
  return {Tone::Dcs, name.substr(1, 3), *index < ToneTable::kFirstDcsInverted ? 'N' : 'R'};
}

// The cells of Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity and
// CrossMode for a channel's tones; a refusal's reason when no form holds them.
struct ToneCells {
  std::string tone, rTone{kUnusedTone}, cTone{kUnusedTone}, code{kUnusedCode}, polarity{kUnusedPolarity},
      cross{kUnusedCross}, refusal;
};

ToneCells ToneCellsOf(const ChannelTexts& texts) {
  const Tone tx = ToneOf(texts[kTxTone]), rx = ToneOf(texts[kRxTone]);
  ToneCells cells;
  for (const auto& [tone, column] : {std::pair{tx, kTxTone}, std::pair{rx, kRxTone}}) {
    if (tone.kind == Tone::Unknown)
      cells.refusal = ColumnName(ColumnOf(column)) + " \"" + ShownText(tone.value) + "\" is not a tone of the list.";
  }
  if (!cells.refusal.empty()) return cells;
  if (tx.kind == Tone::Ctcss) cells.rTone = tx.value;
  if (rx.kind == Tone::Ctcss) cells.cTone = rx.value;
  const Tone& dcs = tx.kind == Tone::Dcs ? tx : rx;
  if (dcs.kind == Tone::Dcs) cells.code = dcs.value;
  cells.polarity = {tx.kind == Tone::Dcs ? tx.polarity : 'N', rx.kind == Tone::Dcs ? rx.polarity : 'N'};
  const auto side = [](const Tone& t) { return t.kind == Tone::Off ? "" : t.kind == Tone::Ctcss ? "Tone" : "DTCS"; };
  if (tx.kind == Tone::Off && rx.kind == Tone::Off) {
    cells.tone.clear();
  } else if (tx.kind == Tone::Ctcss && rx.kind == Tone::Off) {
    cells.tone = "Tone";
  } else if (tx.kind == Tone::Ctcss && rx.kind == Tone::Ctcss && tx.value == rx.value) {
    cells.tone = "TSQL";
  } else if (tx.kind == Tone::Dcs && rx.kind == Tone::Dcs) {
    cells.tone = "DTCS";
    if (tx.value != rx.value)
      cells.refusal = "Different DCS codes for receive and transmit have no form in the layout.";
  } else if (tx.kind == Tone::Off && rx.kind == Tone::Ctcss) {
    cells.refusal = "A receive tone without a transmit tone has no form in the layout.";
  } else {
    cells.tone = "Cross";
    cells.cross = std::string(side(tx)) + "->" + side(rx);
  }
  return cells;
}

std::string Megahertz(std::int64_t units) { return FormatFixed(static_cast<double>(units) * 0.00001, 0, 6); }

// The largest step of kSteps both frequencies lie on; 5 kHz when none.
std::string StepOf(std::uint32_t rx, std::uint32_t tx) {
  const auto step =
      std::find_if(kSteps.begin(), kSteps.end(), [&](std::uint32_t s) { return rx % s == 0 && tx % s == 0; });
  return FormatFixed((step == kSteps.end() ? kSteps.back() : *step) * 0.01, 0, 2);
}

}  // namespace
}  // namespace interchange

InterchangeExport ExportInterchangeCsv(const ChannelTable& channels) {
  using namespace interchange;
  InterchangeExport result;
  std::string csv = std::string(kInterchangeHeader) + std::string(kRowEnd);
  for (int row = 1; row <= ChannelTable::kRows; ++row) {
    if (!channels.HasFrequency(row)) continue;
    const ChannelTexts& texts = channels.Row(row);
    const ToneCells tones = ToneCellsOf(texts);
    if (texts[kRxFrequency].empty()) {
      result.refusals.push_back({row, "It has no receive frequency, which every line of the layout needs."});
      continue;
    }
    if (!tones.refusal.empty()) {
      result.refusals.push_back({row, tones.refusal});
      continue;
    }
    const std::uint32_t rx = FrequencyTextToUnits(texts[kRxFrequency]);
    const std::uint32_t tx = FrequencyTextToUnits(texts[kTxFrequency]);
    const std::int64_t shift = static_cast<std::int64_t>(tx) - rx;
    std::string duplex, offset = Megahertz(0);
    if (tx == 0) {
      duplex = "off";
    } else if (shift != 0 && (shift > kLargestOffset || -shift > kLargestOffset)) {
      duplex = "split";
      offset = Megahertz(tx);
    } else if (shift != 0) {
      duplex = shift > 0 ? "+" : "-";
      offset = Megahertz(shift > 0 ? shift : -shift);
    }
    std::array<std::string, kColumnCount> cells;  // Name and Comment stay empty
    cells[kLocation] = std::to_string(row);
    cells[kFrequency] = Megahertz(rx);
    cells[kDuplex] = duplex;
    cells[kOffset] = offset;
    cells[kTone] = tones.tone;
    cells[kRToneFreq] = tones.rTone;
    cells[kCToneFreq] = tones.cTone;
    cells[kDtcsCode] = tones.code;
    cells[kDtcsPolarity] = tones.polarity;
    cells[kCrossMode] = tones.cross;
    cells[kMode] = texts[kBandwidth] == "Narrow" ? "NFM" : "FM";
    cells[kTStep] = StepOf(rx, tx == 0 ? rx : tx);
    cells[kSkip] = texts[kScan] == "No" ? "S" : "";
    cells[kPower] = texts[kTxPower] == "Low" ? "Low" : "High";
    for (std::size_t i = 0; i < cells.size(); ++i) csv += (i == 0 ? "" : ",") + QuoteCell(cells[i], ',');
    csv += kRowEnd;
  }
  if (result.refusals.empty()) result.csv = std::move(csv);
  return result;
}

std::string DescribeExportRefusals(const std::vector<ExportRefusal>& refusals) {
  const auto describe = [](const ExportRefusal& r) {
    return RefusalLine("Channel " + std::to_string(r.channel), "", r.reason);
  };
  return ListRefusals("Nothing was exported: the interchange layout cannot hold " +
                          CountOf(refusals.size(), "channel", "channels") + ".",
                      FirstRefusals(refusals, describe));
}

ChannelListText ExportChannelList(const ChannelTable& channels, ChannelLayout layout) {
  if (layout == ChannelLayout::Korvel) return {ExportChannelsCsv(channels), {}};
  InterchangeExport exported = ExportInterchangeCsv(channels);
  if (!exported.refusals.empty()) return {{}, DescribeExportRefusals(exported.refusals)};
  return {std::move(exported.csv), {}};
}

}  // namespace korvel
