#pragma once
// Whole-channel operations: emptying, inserting and moving channels. Each
// works on both halves of the document at once, the working copy's texts
// and the 16-byte records in the image, so a moved channel keeps the bits
// its texts do not show, and an emptied one is stored as a channel that
// was never used.

#include <string>
#include <vector>

#include "kov_document.h"

namespace korvel {

// Shown when an insert would push channel 128 out of the memory.
inline constexpr const char* kLastChannelInUseText =
    "Channel 128 is in use. Delete or move it before inserting a channel.";

// Empties channels first..last (1..128): their texts are cleared and their
// records become all 0xFF, which the next collection turns into the record
// of a channel that was never used.
void EmptyChannels(CKovDoc& document, int first, int last);

// Inserts an empty channel at row, moving row..127 down one. Refused (false,
// nothing changes) when channel 128 is in use.
bool InsertEmptyChannel(CKovDoc& document, int row);

// Moves channels first..last up (by -1) or down (by +1) one row, records
// and texts together; the channel they pass over takes the freed row.
// False, and nothing changes, when the block would leave 1..128.
bool MoveChannels(CKovDoc& document, int first, int last, int by);

// Rearranges channels among rows: rows[i] receives, record and texts
// together, the channel that was at from[i]. from holds the same rows as
// rows, in any order.
void ArrangeChannels(CKovDoc& document, const std::vector<int>& rows, const std::vector<int>& from);

}  // namespace korvel
