#pragma once
// The commits of an edited cell into the working copy: the rules for a row's
// first and last frequency, tone names and option texts. Every editor of
// channels commits through these, so each keeps a row consistent the same
// way; cells change through ChannelTable::SetCell, so its listeners hear of
// each cell that really changed.

#include <string>
#include <string_view>

#include "channel_table.h"
#include "prompter.h"

namespace korvel {

// Commits a frequency text to (row, column 1 or 2). The text is checked
// against the band of the table's bar values (messages through prompter).
// A kept text: a row's first frequency brings the new-row texts, and as a
// receive frequency becomes the transmit frequency too. A dropped or empty
// text clears the cell and its tone (column 3 for 1, 4 for 2); a row left
// without frequencies is emptied entirely. Returns the text the cell took.
std::string CommitFrequency(ChannelTable& channels, int row, int column, std::string_view text,
                            Prompter& prompter);

// Commits a tone text to (row, column 3 or 4): the tone table's own name for
// it (ignoring case), "OFF" for a text naming no tone, empty in a row without
// frequency.
void CommitTone(ChannelTable& channels, int row, int column, std::string_view text);

// Commits an option text to (row, column 5..10): the text, or empty in a row
// without frequency.
void CommitOption(ChannelTable& channels, int row, int column, std::string_view text);

}  // namespace korvel
