#pragma once
// Snapshots of the document for undo: what a change did to it, kept as the
// difference between the state before and after, so a long session of small
// edits costs little memory.

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "kov_document.h"

namespace korvel {

// Everything an edit in the window can change: the working copy's rows and
// bar values, and the image as the next collection would leave it (so that
// a save, which only collects, is no change at all).
struct DocumentState {
  std::array<ChannelTexts, kChannelCount> rows;
  TypeSettings type;
  MemoryImage image;
};

DocumentState CaptureState(const CKovDoc& document);

class StateChange {
 public:
  // The change from one state to another; nullopt when they are equal.
  static std::optional<StateChange> Between(const DocumentState& before, const DocumentState& after);

  // Puts the document back to the state before, or forward to the state
  // after; only what the change touched is written.
  void Undo(CKovDoc& document) const { Apply(document, false); }
  void Redo(CKovDoc& document) const { Apply(document, true); }

  // The rows the change touched, in order.
  std::vector<int> Rows() const;
  bool ChangesType() const { return type_.has_value(); }

 private:
  struct RowChange {
    int row;
    ChannelTexts before;
    ChannelTexts after;
  };
  struct ByteChange {
    std::uint16_t offset;
    std::uint8_t before;
    std::uint8_t after;
  };
  void Apply(CKovDoc& document, bool forward) const;

  std::vector<RowChange> rows_;
  std::vector<ByteChange> bytes_;
  std::optional<std::pair<TypeSettings, TypeSettings>> type_;
};

}  // namespace korvel
