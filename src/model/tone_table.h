#pragma once
// The 261 tone names: "OFF", 50 CTCSS tones, 105 DCS codes "N", the same
// 105 codes "I". Built once; read-only afterwards.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "channel_record.h"

namespace korvel {

class ToneTable {
 public:
  static constexpr int kCount = 261;
  static constexpr int kFirstCtcss = 1;
  static constexpr int kFirstDcsNormal = 51;
  static constexpr int kFirstDcsInverted = 156;

  // The application-wide table.
  static const ToneTable& Instance();

  int Count() const { return kCount; }
  const std::string& Name(int index) const { return names_.at(static_cast<std::size_t>(index)); }
  // Index of the entry equal to name, ignoring case.
  std::optional<int> IndexOf(std::string_view name) const;
  // Index of the first entry that begins with prefix, ignoring case.
  std::optional<int> IndexOfPrefix(std::string_view prefix) const;
  ToneCode Code(int index) const { return EncodeTone(Name(index)); }
  // Index of the entry whose code this is, if any.
  std::optional<int> IndexOfCode(ToneCode code) const;

 private:
  ToneTable();
  std::array<std::string, kCount> names_;
};

}  // namespace korvel
