// The interchange layout: each of its forms read into the channels it
// means, every refused cell by line and column, the forms an export writes,
// and random channel lists written and read back unchanged.

#include "model/interchange_csv.h"

#include <gtest/gtest.h>

#include <random>

#include "model/channel_columns.h"
#include "model/channel_edits.h"
#include "model/frequency_check.h"
#include "model/tone_table.h"
#include "sample_channels.h"

// Its own namespace: a unity build puts other suites' helpers beside these.
namespace korvel::interchange_test {
namespace {

using test::Texts;

// A channel from its first texts, comma-separated; the others as a new
// channel has them ("," stands for an empty transmit frequency).
Texts Ch(const std::string& first) {
  Texts texts = test::NewRow("", "");
  std::size_t column = 0;
  for (std::size_t at = 0; at <= first.size(); ++column) {
    const std::size_t end = std::min(first.find(',', at), first.size());
    texts[column] = first.substr(at, end - at);
    at = end + 1;
  }
  return texts;
}

CKovDoc& WithSamples(CKovDoc& document) {
  document.OnNewDocument();
  document.FillFromImage();
  document.Channels().SetRow(2, ChannelTexts{test::kReceiveOnly});
  return document;
}

const std::string kHead =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,CrossMode,Mode,Skip,Power\n";
const std::string kF = "146.52000,146.52000";

struct Refused {
  int line;
  std::string column, text, reason;
  bool operator==(const Refused&) const = default;
};

TEST(InterchangeCsv, EachFormReadsAsTheChannelItMeans) {
  const struct {
    std::string lines;  // after kHead, or a whole file when it starts with a header of its own
    std::vector<std::pair<int, Texts>> after;
    std::vector<Refused> refused = {};
    std::string notes = {};
  } cases[] = {
      {"5,,146.52,,0,,88.5,88.5,023,NN,,FM,,High\n", {{5, Ch(kF)}}},
      {"5,A,146.52,+,0.6\n6,B,146.52,-,0.600000\n7,,146.52,split,446.00625\n8,,146.52,off,5",
       {{5, Ch("146.52000,147.12000")}, {6, Ch("146.52000,145.92000")}, {7, Ch("146.52000,446.00625")},
        {8, Ch("146.52000,")}}, {}, "; 2 names dropped"},
      {"5,,146.52,,,Tone,88.5,100\n6,,146.52,,,TSQL,88.5,100.0\n7,,146.52,,,tsql,,67",
       {{5, Ch(kF + ",OFF,88.5")}, {6, Ch(kF + ",100.0,100.0")}, {7, Ch(kF + ",67.0,67.0")}}},
      {"5,,146.52,,,DTCS,,,023,NN\n6,,146.52,,,DTCS,,,23,RN\n7,,146.52,,,DTCS,,,754,NR\n8,,146.52,,,DTCS,,,754,rr",
       {{5, Ch(kF + ",D023N,D023N")}, {6, Ch(kF + ",D023N,D023I")}, {7, Ch(kF + ",D754I,D754N")},
        {8, Ch(kF + ",D754I,D754I")}}},
      {"5,,146.52,,,Cross,88.5,100.0,,,Tone->Tone\n6,,146.52,,,Cross,,,025,RN,DTCS->\n"
       "7,,146.52,,,Cross,,,025,RR,->DTCS\n8,,146.52,,,Cross,88.5,,025,NR,Tone->DTCS\n"
       "9,,146.52,,,Cross,88.5,100.0,025,RN,DTCS->Tone",
       {{5, Ch(kF + ",100.0,88.5")}, {6, Ch(kF + ",OFF,D025I")}, {7, Ch(kF + ",D025I,OFF")},
        {8, Ch(kF + ",D025I,88.5")}, {9, Ch(kF + ",100.0,D025I")}}},
      {"5,,146.52,,,,,,,,,NFM,S,Low\n6,,146.52,,,,,,,,,FM,,5W\n7,,146.52,,,,,,,,,,,0.5 W\n8,,146.52,,,,,,,,,,,5",
       {{5, Ch(kF + ",OFF,OFF,Narrow,No,Low")}, {6, Ch(kF)}, {7, Ch(kF + ",OFF,OFF,Wide,Yes,Low")}, {8, Ch(kF)}}},
      // A channel in use keeps what the layout does not hold.
      {"2,,145.5,off\n", {{2, Ch("145.50000,,OFF,OFF,Wide,Yes,High,FleetSync,OFF,Carrier")}}},
      {"0,,146.52\n4,,145.5\n", {{1, Ch(kF)}, {5, Ch("145.50000,145.50000")}}, {},
       "; numbered from 0, each moved up one"},
      {"Frequency,Unknown,LOCATION\n146.52,x,3\n", {{3, Ch(kF)}}},
      {"5,,146.52,,,,,,,,,AM,P,max\n6,,146.523,x\n7,,600\n8,,146.52,-,100\n9,,146.52,+,six\n10,,146.52,split\n"
       "11\n", {},
       {{2, "Mode", "AM", "Mode is FM (Wide) or NFM (Narrow); this radio has no other."},
        {2, "Skip", "P", "Skip is S (left out of the scan) or empty."},
        {2, "Power", "max", "Power is High, Low or watts (such as 5W)."},
        {3, "Frequency", "146.523", kStepErrorText},
        {4, "Frequency", "600", kFormatErrorText},
        {5, "Offset", "100", "It gives the transmit frequency 46.52000: " + std::string(kFormatErrorText)},
        {6, "Offset", "six", "An offset is megahertz, such as 0.6."},
        {7, "Offset", "", "Split needs the transmit frequency here."},
        {8, "Frequency", "", "Every line needs its receive frequency."}}},
      {"5,,146.52,?\n6,,146.52,,,DTCS-R\n7,,146.52,,,Cross,,,,,DTCS->DTCS\n8,,146.52,,,Tone,89.9\n"
       "9,,146.52,,,DTCS,,,999\n10,,146.52,,,DTCS,,,023,NX\n129,,146.52\n5,,146.52\n", {},
       {{2, "Duplex", "?", "Duplex is empty, +, -, split or off."},
        {3, "Tone", "DTCS-R", "Tone is empty, Tone, TSQL, DTCS or Cross."},
        {4, "CrossMode", "DTCS->DTCS", "Cross is taken as Tone->Tone, DTCS->, ->DTCS, Tone->DTCS or DTCS->Tone."},
        {5, "rToneFreq", "89.9", kUnknownToneText},
        {6, "DtcsCode", "999", "No such DCS code (for example 023)."},
        {7, "DtcsPolarity", "NX", "DtcsPolarity is NN, NR, RN or RR: transmit, then receive; N normal, R inverted."},
        {8, "Location", "129", "A location is a channel number from 1 to 128."},
        {9, "Location", "5", "Channel 5 is already on line 2."}}},
      {"0,,146.52\n128,,146.52\n", {}, {{3, "Location", "128", "In a list numbered from 0 a location is 0 to 127."}},
       "; numbered from 0, each moved up one"},
      {"Location,Name,Name\n", {},
       {{1, "Name", "Name", "This column is named twice."},
        {1, "Frequency", "", "The header has no such column; Location and Frequency are required."}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    CKovDoc before, document;
    const bool whole = c.lines.starts_with("Location") || c.lines.starts_with("Frequency");
    const std::string csv = whole ? c.lines : kHead + c.lines;
    const CsvImportOutcome outcome = ImportChannelsCsv(WithSamples(document), csv, false);
    std::vector<Refused> refused;
    for (const CsvRefusal& r : outcome.refusals) refused.push_back({r.line, r.column, r.text, r.reason});
    EXPECT_EQ(refused, c.refused);
    EXPECT_EQ(DescribeImportNotes(outcome), c.notes);
    test::ExpectChannels(document.Channels(), WithSamples(before).Channels(), c.after);
  }
}

TEST(InterchangeCsv, ExportWritesTheFormThatReadsBackOrRefusesTheChannel) {
  const struct {
    Texts channel;
    std::string line;  // after "9,", or the reason the channel is refused
  } cases[] = {
      {Ch(kF), ",,146.520000,,0.000000,,88.5,88.5,023,NN,FM,10.00,,,Tone->Tone,High"},
      {Ch("446.00625,,D754I,D754N,Narrow,No,Low"),
       ",,446.006250,off,0.000000,DTCS,88.5,88.5,754,NR,NFM,6.25,S,,Tone->Tone,Low"},
      {Ch("145.50000,146.10000,100.0,100.0"),
       ",,145.500000,+,0.600000,TSQL,100.0,100.0,023,NN,FM,25.00,,,Tone->Tone,High"},
      {Ch("145.50000,144.90500,OFF,67.0"), ",,145.500000,-,0.595000,Tone,67.0,88.5,023,NN,FM,5.00,,,Tone->Tone,High"},
      {Ch("145.50000,435.00000,D025N,67.0"),
       ",,145.500000,split,435.000000,Cross,67.0,88.5,025,NN,FM,25.00,,,Tone->DTCS,High"},
      {Ch("145.50000,145.50000,OFF,D025I"), ",,145.500000,,0.000000,Cross,88.5,88.5,025,RN,FM,25.00,,,DTCS->,High"},
      {Ch("145.50000,145.50000,88.5,OFF"), "A receive tone without a transmit tone has no form in the layout."},
      {Ch("145.50000,145.50000,D025N,D023N"),
       "Different DCS codes for receive and transmit have no form in the layout."},
      {Ch(",145.50000"), "It has no receive frequency, which every line of the layout needs."},
      {Ch("145.50000,145.50000,80.0"), "Rx Tone \"80.0\" is not a tone of the list."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    ChannelTable channels;
    channels.SetRow(9, ChannelTexts{c.channel});
    const InterchangeExport exported = ExportInterchangeCsv(channels);
    if (c.line.starts_with(",")) {
      EXPECT_EQ(exported.csv, std::string(kInterchangeHeader) + "\r\n9" + c.line + "\r\n");
    } else {
      ASSERT_EQ(exported.refusals.size(), 1u);
      EXPECT_EQ(exported.csv, "");
      EXPECT_EQ(DescribeExportRefusals(exported.refusals),
                "Nothing was exported: the interchange layout cannot hold 1 channel.\nChannel 9: " + c.line);
    }
  }
}

// Channels of every form the layout holds, typed as a user types them.
TEST(InterchangeCsv, RandomChannelListsComeBackUnchanged) {
  std::mt19937 random(20260424);
  const auto pick = [&](auto entries) { return std::string(entries[random() % entries.size()]); };
  const auto tone = [&](int first, int count) { return ToneTable::Instance().Name(first + random() % count); };
  for (int round = 0; round < 200; ++round) {
    CKovDoc exported, imported;
    WithSamples(exported).Channels().SetRow(2, {});
    for (int row = 1; row <= ChannelTable::kRows; ++row) {
      if (random() % 4 == 0) continue;
      const std::uint32_t step = random() % 2 ? 625 : 500;
      // 72..520 MHz, so that every transmit frequency below is one too.
      const std::uint32_t rx = (7200000 / step + random() % (44800000 / step)) * step;
      const std::uint32_t shifts[] = {rx, rx + 60000, rx - 500000, 43500000, 0};
      std::string txTone = random() % 3 ? "OFF" : tone(ToneTable::kFirstCtcss, 50);
      std::string rxTone = random() % 2 ? txTone : tone(ToneTable::kFirstCtcss, 50);
      if (txTone == "OFF" && rxTone != "OFF") txTone = rxTone;
      if (random() % 2) {
        const std::string code = tone(ToneTable::kFirstDcsNormal, 105).substr(1, 3);
        rxTone = random() % 3 ? "D" + code + pick(std::array{"N", "I"}) : rxTone;
        txTone = random() % 3 ? "D" + code + pick(std::array{"N", "I"}) : txTone;
      }
      const std::uint32_t tx = shifts[random() % 5];
      Texts texts = {FormatFrequency(rx), tx == 0 ? "" : FormatFrequency(tx), rxTone, txTone};
      for (int column = kFirstOptionColumn; column <= kLastOptionColumn; ++column)
        texts[column - 1] = pick(OptionEntries(column));
      exported.Channels().SetRow(row, ChannelTexts{texts});
    }
    const InterchangeExport csv = ExportInterchangeCsv(exported.Channels());
    ASSERT_TRUE(csv.refusals.empty()) << DescribeExportRefusals(csv.refusals);
    const CsvImportOutcome back = ImportChannelsCsv(WithSamples(imported), csv.csv, true);
    ASSERT_TRUE(back.Applied()) << DescribeCsvRefusals(back.refusals);
    for (int row = 1; row <= ChannelTable::kRows; ++row) {
      Texts expected = exported.Channels().Row(row).text;
      if (exported.Channels().HasFrequency(row)) std::copy_n(test::NewRow("", "").end() - 3, 3, expected.end() - 3);
      ASSERT_EQ(imported.Channels().Row(row).text, expected) << "round " << round << ", channel " << row;
    }
  }
}

}  // namespace
}  // namespace korvel::interchange_test
