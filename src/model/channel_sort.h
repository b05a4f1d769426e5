#pragma once
// Sorting channels by one column. Channels move whole, as Move Up and Move
// Down move them (the bits their texts do not show go with them), and keys
// compare values, not texts: frequencies as numbers, tones "OFF" first, then
// CTCSS tones by frequency, then DCS codes by code (normal before inverted
// polarity), option texts in the order of the values the record stores for
// them ("Narrow" before "Wide", "No" before "Yes", "Low" before "High",
// "OFF" before "ON", signalling "None", "DTMF", "FleetSync", busy lock
// "Close", "Carrier", "QT/DQT").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kov_document.h"

namespace korvel {

enum class SortDirection { Ascending, Descending };

// The grid column (1..10) that kColumnNames names, in any case; nullopt for
// any other name.
std::optional<int> SortColumnNamed(std::string_view name);
// The names a sort takes, for messages: "Receive, Transmit, ..., BusyLock".
std::string SortColumnList();

// Sorts the channels of rows (ascending channel numbers 1..128) among those
// rows by grid column 1..10. Channels not in use go last, and a channel in
// use whose cell has no value (a receive-only channel sorted by Transmit, an
// option text no list holds) goes after those with one, in either direction.
// Equal keys keep their order. True when a channel moved.
bool SortChannels(CKovDoc& document, const std::vector<int>& rows, int column, SortDirection direction);

// SortChannels over all 128 channels: the channels in use come first, in
// order, the empty ones after them.
bool SortAllChannels(CKovDoc& document, int column, SortDirection direction);

}  // namespace korvel
