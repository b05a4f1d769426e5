#pragma once
// The commits of an edited cell into the working copy: the rules for a row's
// first and last frequency, tone names and option texts. Every editor of
// channels commits through these, so each keeps a row consistent the same
// way; cells change through ChannelTable::SetCell, so its listeners hear of
// each cell that really changed.
//
// A row in use (one with a frequency) never keeps an empty tone or option
// cell after a commit: such a cell shows the text the grid collection would
// store for it, so the grid shows what a saved file holds.

#include <optional>
#include <string>
#include <string_view>

#include "channel_table.h"
#include "prompter.h"

namespace korvel {

// Shown when a tone text names no entry of the tone table.
inline constexpr const char* kUnknownToneText =
    "No such tone. Please choose one from the list (for example 88.5 or D023N)";

// Commits a frequency text to (row, column 1 or 2). The text is checked
// against the band of the table's bar values (messages through prompter).
// A kept text: a row's first frequency brings the new-row texts, and as a
// receive frequency becomes the transmit frequency too. An empty text clears
// the cell and its tone (column 3 for 1, 4 for 2); a row left without
// frequencies is emptied entirely. A refused text changes nothing and gives
// nullopt; otherwise the text the cell took.
std::optional<std::string> CommitFrequency(ChannelTable& channels, int row, int column,
                                           std::string_view text, Prompter& prompter);

// CommitFrequency's change for a text already checked (the "%3.5f" form
// ReadFrequency gives, or empty), without asking anything.
void SetFrequency(ChannelTable& channels, int row, int column, const std::string& checked);

// Commits a tone text to (row, column 3 or 4): the tone table's own name for
// it (ignoring case); empty in a row without frequency. In a row in use a
// text naming no tone is refused: nothing changes and the result is false.
bool CommitTone(ChannelTable& channels, int row, int column, std::string_view text);

// Commits an option text to (row, column 5..10): the text, or empty in a row
// without frequency.
void CommitOption(ChannelTable& channels, int row, int column, std::string_view text);

}  // namespace korvel
