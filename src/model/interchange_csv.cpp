#include "interchange_csv.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "channel_columns.h"
#include "channel_edits.h"
#include "channel_paste.h"
#include "frequency_check.h"
#include "interchange_columns.h"
#include "number_text.h"
#include "refusal_list.h"
#include "text_compare.h"
#include "tone_table.h"

namespace korvel {
namespace interchange {
namespace {

constexpr int kAbsent = -1;

// Digits with at most one '.', at least one digit: a megahertz, hertz or
// watt number as these files write them.
std::optional<double> ReadNumber(std::string_view text) {
  text = TrimBlanks(text);
  const auto point = text.find('.');
  if (point != std::string_view::npos) {
    const std::string_view whole = text.substr(0, point), part = text.substr(point + 1);
    if ((!whole.empty() && !IsDigits(whole)) || (!part.empty() && !IsDigits(part)) || whole.size() + part.size() == 0)
      return std::nullopt;
  } else if (!IsDigits(text)) {
    return std::nullopt;
  }
  return ParseDecimal(text);
}

// A CTCSS tone written as hertz ("88.5", "100", "100.00") by its name in the tone table.
std::optional<std::string> CtcssName(std::string_view text) {
  const std::optional<double> hertz = ReadNumber(text);
  if (!hertz || *hertz >= 1000) return std::nullopt;
  const ToneTable& tones = ToneTable::Instance();
  const std::optional<int> index = tones.IndexOf(FormatFixed(*hertz, 3, 1));
  if (!index || *index < ToneTable::kFirstCtcss || *index >= ToneTable::kFirstDcsNormal) return std::nullopt;
  return tones.Name(*index);
}

// A DCS code ("23", "023") with a polarity letter, N or R, by its name.
std::optional<std::string> DcsName(std::string_view code, char polarity) {
  code = TrimBlanks(code);
  if (!IsDigits(code) || code.size() > 3) return std::nullopt;
  const std::string name = "D" + std::string(3 - code.size(), '0') + std::string(code) + (polarity == 'R' ? "I" : "N");
  const std::optional<int> index = ToneTable::Instance().IndexOf(name);
  if (!index || *index < ToneTable::kFirstDcsNormal) return std::nullopt;
  return name;
}

class LineReader {
 public:
  LineReader(const TextLine& line, const std::array<int, kColumnCount>& at, std::vector<CsvRefusal>& refusals)
      : line_(line), at_(at), refusals_(refusals) {}

  // The cell under a column; empty for a column the header lacks or a line too short.
  const std::string& Cell(Column column) const {
    static const std::string kNone;
    const int at = at_[column];
    return at == kAbsent || static_cast<std::size_t>(at) >= line_.cells.size() ? kNone : line_.cells[at];
  }
  std::string_view Word(Column column) const { return TrimBlanks(Cell(column)); }
  bool Is(Column column, std::string_view word) const { return EqualsIgnoringCase(Word(column), word); }

  void Refuse(Column column, std::string reason) {
    refusals_.push_back({line_.line, std::string(kNames[column]), Cell(column), std::move(reason)});
  }

  // A Power cell in watts ("5", "0.5W"); nullopt for any other.
  std::optional<double> Watts() const {
    std::string_view word = Word(kPower);
    if (!word.empty() && AsciiUpper(word.back()) == 'W') word.remove_suffix(1);
    return ReadNumber(word);
  }

  // The line's texts for grid columns 1..10, or nullopt when a cell is
  // refused. Power in watts is High at the file's highest wattage, else Low.
  std::optional<std::vector<std::string>> Texts(double highestWatts) {
    const std::size_t before = refusals_.size();
    std::vector<std::string> texts(kChannelFieldCount);
    ReadFrequencies(texts);
    ReadTones(texts);
    texts[kBandwidth] = Word(kMode).empty() || Is(kMode, "FM") ? "Wide" : Is(kMode, "NFM") ? "Narrow" : "";
    if (texts[kBandwidth].empty()) Refuse(kMode, "Mode is FM (Wide) or NFM (Narrow); this radio has no other.");
    texts[kScan] = Word(kSkip).empty() ? "Yes" : Is(kSkip, "S") ? "No" : "";
    if (texts[kScan].empty()) Refuse(kSkip, "Skip is S (left out of the scan) or empty.");
    const std::optional<double> watts = Watts();
    texts[kTxPower] = Word(kPower).empty() || Is(kPower, "High") ? "High"
                      : Is(kPower, "Low")                        ? "Low"
                      : watts                                    ? (*watts == highestWatts ? "High" : "Low")
                                                                 : "";
    if (texts[kTxPower].empty()) Refuse(kPower, "Power is High, Low or watts (such as 5W).");
    if (refusals_.size() != before) return std::nullopt;
    return texts;
  }

 private:
  void ReadFrequencies(std::vector<std::string>& texts) {
    if (Word(kFrequency).empty()) {
      Refuse(kFrequency, "Every line needs its receive frequency.");
      return;
    }
    const CheckedCell receive = CheckPastedCell(ColumnOf(kRxFrequency), Cell(kFrequency));
    if (!receive.reason.empty()) return Refuse(kFrequency, receive.reason);
    texts[kRxFrequency] = receive.text;
    if (Word(kDuplex).empty()) {
      texts[kTxFrequency] = receive.text;
    } else if (Is(kDuplex, "off")) {
      texts[kTxFrequency].clear();
    } else if (Is(kDuplex, "split")) {
      const CheckedCell transmit = CheckPastedCell(ColumnOf(kTxFrequency), Cell(kOffset));
      if (!transmit.reason.empty() || transmit.text.empty())
        return Refuse(kOffset, transmit.text.empty() ? "Split needs the transmit frequency here." : transmit.reason);
      texts[kTxFrequency] = transmit.text;
    } else if (Is(kDuplex, "+") || Is(kDuplex, "-")) {
      const std::optional<double> offset = ReadNumber(Cell(kOffset));
      if (!offset) return Refuse(kOffset, "An offset is megahertz, such as 0.6.");
      const double sign = Is(kDuplex, "+") ? 1 : -1;
      const double units = std::round(FrequencyTextToUnits(receive.text) + sign * *offset * 100000);
      const std::string transmit = FormatFixed(units * 0.00001, 3, 5);
      const CheckedCell checked = CheckPastedCell(ColumnOf(kTxFrequency), transmit);
      if (!checked.reason.empty())
        return Refuse(kOffset, "It gives the transmit frequency " + transmit + ": " + checked.reason);
      texts[kTxFrequency] = checked.text;
    } else {
      Refuse(kDuplex, "Duplex is empty, +, -, split or off.");
    }
  }

  std::optional<std::string> Ctcss(Column column) {
    std::optional<std::string> name = CtcssName(Cell(column));
    if (!name) Refuse(column, kUnknownToneText);
    return name;
  }

  std::optional<std::string> Dcs(bool transmit) {
    const std::string_view pair = Word(kDtcsPolarity).empty() ? "NN" : Word(kDtcsPolarity);
    const auto letter = [](char c) { return AsciiUpper(c) == 'N' || AsciiUpper(c) == 'R'; };
    if (pair.size() != 2 || !letter(pair[0]) || !letter(pair[1])) {
      Refuse(kDtcsPolarity, "DtcsPolarity is NN, NR, RN or RR: transmit, then receive; N normal, R inverted.");
      return std::nullopt;
    }
    std::optional<std::string> name = DcsName(Cell(kDtcsCode), AsciiUpper(pair[transmit ? 0 : 1]));
    if (!name) Refuse(kDtcsCode, "No such DCS code (for example 023).");
    return name;
  }

  // One side of a cross form: "" (none), "Tone" or "DTCS".
  std::optional<std::string> CrossSide(std::string_view side, bool transmit) {
    if (side.empty()) return "OFF";
    if (EqualsIgnoringCase(side, "Tone")) return Ctcss(transmit ? kRToneFreq : kCToneFreq);
    return Dcs(transmit);
  }

  void ReadTones(std::vector<std::string>& texts) {
    std::optional<std::string> transmit = "OFF", receive = "OFF";
    if (Is(kTone, "Tone")) {
      transmit = Ctcss(kRToneFreq);
    } else if (Is(kTone, "TSQL")) {
      transmit = receive = Ctcss(kCToneFreq);
    } else if (Is(kTone, "DTCS")) {
      transmit = Dcs(true);
      if (transmit) receive = Dcs(false);
    } else if (Is(kTone, "Cross")) {
      const std::string_view form = Word(kCrossMode);
      constexpr std::string_view kForms[] = {"Tone->Tone", "DTCS->", "->DTCS", "Tone->DTCS", "DTCS->Tone"};
      if (std::none_of(std::begin(kForms), std::end(kForms), [form](auto f) { return EqualsIgnoringCase(form, f); })) {
        Refuse(kCrossMode, "Cross is taken as Tone->Tone, DTCS->, ->DTCS, Tone->DTCS or DTCS->Tone.");
        return;
      }
      const std::size_t arrow = form.find("->");
      transmit = CrossSide(form.substr(0, arrow), true);
      receive = CrossSide(form.substr(arrow + 2), false);
    } else if (!Word(kTone).empty()) {
      Refuse(kTone, "Tone is empty, Tone, TSQL, DTCS or Cross.");
    }
    texts[kTxTone] = transmit.value_or("");
    texts[kRxTone] = receive.value_or("");
  }

  const TextLine& line_;
  const std::array<int, kColumnCount>& at_;
  std::vector<CsvRefusal>& refusals_;
};

// The first cell of the line in the location column, as a number.
std::optional<int> LocationOf(const LineReader& reader) {
  const std::string_view text = reader.Word(kLocation);
  if (!IsDigits(text) || text.size() > 3) return std::nullopt;
  return std::stoi(std::string(text));
}

}  // namespace
}  // namespace interchange

bool IsInterchangeHeader(const TextLine& header) {
  using namespace interchange;
  return std::any_of(header.cells.begin(), header.cells.end(),
                     [](const std::string& cell) { return EqualsIgnoringCase(TrimBlanks(cell), kNames[kLocation]); });
}

std::vector<ChannelLine> ReadInterchangeLines(const std::vector<const TextLine*>& lines, CsvImportOutcome& outcome) {
  using namespace interchange;
  const TextLine& header = *lines.front();
  std::array<int, kColumnCount> at;
  at.fill(kAbsent);
  for (std::size_t i = 0; i < header.cells.size(); ++i) {
    const std::string_view cell = TrimBlanks(header.cells[i]);
    const auto name =
        std::find_if(kNames.begin(), kNames.end(), [cell](auto n) { return EqualsIgnoringCase(n, cell); });
    if (name == kNames.end()) continue;  // a column this radio has no use for
    int& column = at[static_cast<std::size_t>(name - kNames.begin())];
    if (column != kAbsent)
      outcome.refusals.push_back({header.line, std::string(*name), header.cells[i], "This column is named twice."});
    column = static_cast<int>(i);
  }
  if (at[kFrequency] == kAbsent) {
    outcome.refusals.push_back({header.line, std::string(kNames[kFrequency]), "",
                                "The header has no such column; Location and Frequency are required."});
  }
  if (!outcome.refusals.empty()) return {};

  std::vector<LineReader> readers;
  for (std::size_t i = 1; i < lines.size(); ++i) readers.emplace_back(*lines[i], at, outcome.refusals);
  outcome.numberedFromZero =
      std::any_of(readers.begin(), readers.end(), [](const LineReader& r) { return LocationOf(r) == 0; });
  double highestWatts = 0;
  for (const LineReader& reader : readers) highestWatts = std::max(highestWatts, reader.Watts().value_or(0));
  std::array<int, ChannelTable::kRows> lineOf{};
  std::vector<ChannelLine> read;
  for (std::size_t i = 0; i < readers.size(); ++i) {
    LineReader& reader = readers[i];
    const int line = lines[i + 1]->line;
    const std::optional<int> location = LocationOf(reader);
    const int channel = location.value_or(-1) + (outcome.numberedFromZero ? 1 : 0);
    if (channel < 1 || channel > ChannelTable::kRows) {
      reader.Refuse(kLocation, outcome.numberedFromZero ? "In a list numbered from 0 a location is 0 to 127."
                                                        : "A location is a channel number from 1 to 128.");
    } else if (int& first = lineOf[static_cast<std::size_t>(channel - 1)]; first != 0) {
      reader.Refuse(kLocation,
                    "Channel " + std::to_string(channel) + " is already on line " + std::to_string(first) + ".");
    } else {
      first = line;
    }
    if (!reader.Word(kName).empty()) ++outcome.namesDropped;
    if (std::optional<std::vector<std::string>> texts = reader.Texts(highestWatts))
      read.push_back({channel, std::move(*texts)});
  }
  return read;
}

}  // namespace korvel
