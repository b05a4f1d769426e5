#pragma once
// The interchange layout: a CSV channel list with one line per memory under
// the header Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,
// DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment (in any order; a CrossMode
// and a Power column may follow). Frequencies are megahertz; the transmit
// frequency is given by Duplex and Offset, the tones by Tone and the tone
// columns. Names and comments have no place in this radio's memory.

#include <string>
#include <vector>

#include "channel_csv.h"
#include "channel_table.h"
#include "delimited_text.h"

namespace korvel {

// The header an export writes.
inline constexpr const char* kInterchangeHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment,"
    "CrossMode,Power";

// Whether the header line is the interchange layout's: one of its cells is
// "Location" (any case).
bool IsInterchangeHeader(const TextLine& header);

// Reads lines (the header first, blank lines left out) as an interchange
// channel list. Every refused cell goes into outcome.refusals, and the
// outcome's notes are set; the lines read are returned, each with the
// texts of the columns the layout holds (receive to Tx Power), the others
// left empty so that a channel in use keeps them.
std::vector<ChannelLine> ReadInterchangeLines(const std::vector<const TextLine*>& lines, CsvImportOutcome& outcome);

// A channel in use that the layout cannot hold, and why.
struct ExportRefusal {
  int channel;
  std::string reason;
};

struct InterchangeExport {
  std::string csv;  // empty when any channel is refused
  std::vector<ExportRefusal> refusals;
};

// The header, then a line per channel in use: its number as Location, no
// name, the tones in the Tone form that gives them back. All or nothing: a
// channel without a receive frequency, or with tones no form holds (a
// receive tone without a transmit tone, two different DCS codes, a tone
// the tone table does not name), refuses the export.
InterchangeExport ExportInterchangeCsv(const ChannelTable& channels);

// The user's message for refused channels: a line saying nothing was
// exported, then one per channel, the first kListedRefusals at most.
std::string DescribeExportRefusals(const std::vector<ExportRefusal>& refusals);

// The layouts a channel list is written in.
enum class ChannelLayout { Korvel, Interchange };

struct ChannelListText {
  std::string csv;
  std::string refusal;  // why nothing was written; empty when csv holds the list
};

// The channels as a CSV file in layout.
ChannelListText ExportChannelList(const ChannelTable& channels, ChannelLayout layout);

}  // namespace korvel
