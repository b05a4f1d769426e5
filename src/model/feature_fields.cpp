#include "feature_fields.h"

#include <array>
#include <optional>
#include <span>

#include "settings_block.h"

namespace korvel {
namespace {

using namespace settings;

constexpr std::array<std::string_view, 2> kOnOffTexts = {"off", "on"};

std::string Join(std::span<const std::string_view> items) {
  std::string joined;
  for (std::string_view item : items) joined += (joined.empty() ? "" : "|") + std::string(item);
  return joined;
}

FeatureField ListField(std::string_view key, std::string_view name, std::span<const std::string_view> items,
                       int OptionalFeatures::*field) {
  return {key, name, Join(items),
          [items, field](const OptionalFeatures& f) { return std::string(items[static_cast<std::size_t>(f.*field)]); },
          [items, field](OptionalFeatures& f, const std::string& value) -> std::string {
            const std::optional<int> index = FindListItem(items, value);
            if (!index) return "\"" + value + "\" is not one of " + Join(items);
            f.*field = *index;
            return {};
          }};
}

FeatureField FlagField(std::string_view key, std::string_view name, bool OptionalFeatures::*field) {
  return {key, name, Join(kOnOffTexts),
          [field](const OptionalFeatures& f) { return std::string(kOnOffTexts[f.*field ? 1 : 0]); },
          [field](OptionalFeatures& f, const std::string& value) -> std::string {
            const std::optional<int> index = FindListItem(kOnOffTexts, value);
            if (!index) return "\"" + value + "\" is not one of on|off";
            f.*field = *index == 1;
            return {};
          }};
}

FeatureField TextField(std::string_view key, std::string_view name, RadioTextKind kind,
                       std::string OptionalFeatures::*field) {
  const char last = kind == RadioTextKind::AniCode ? 'F' : 'Z';
  return {key, name, "up to " + std::to_string(RadioTextLimit(kind)) + " of 0-9 A-" + last + ", \"\" to clear",
          [field](const OptionalFeatures& f) { return f.*field; },
          [kind, field](OptionalFeatures& f, const std::string& value) {
            std::string problem = RadioTextProblem(kind, value);
            if (problem.empty()) f.*field = value;
            return problem;
          }};
}

}  // namespace

const std::vector<FeatureField>& FeatureFields() {
  using F = OptionalFeatures;
  static const std::vector<FeatureField> fields = {
      ListField("tot", "Time-out timer (s)", kTimeOutTimerTexts, &F::timeOutTimer),
      ListField("squelch", "Squelch level", kSquelchTexts, &F::squelchLevel),
      FlagField("beep", "Beep", &F::beep),
      FlagField("scrambler", "Scrambler activation", &F::scrambler),
      FlagField("battery-save", "Battery save", &F::batterySave),
      ListField("language", "Voice language", kLanguageTexts, &F::language),
      ListField("vox-gain", "VOX gain level", kVoxGainTexts, &F::voxGain),
      ListField("vox-delay", "VOX delay time (s)", kVoxDelayTexts, &F::voxDelay),
      FlagField("ptt-id-begin", "PTT ID at begin of Tx", &F::pttIdBegin),
      FlagField("ptt-id-end", "PTT ID at end of Tx", &F::pttIdEnd),
      TextField("ani", "ANI code", RadioTextKind::AniCode, &F::aniCode),
      TextField("name", "Radio name", RadioTextKind::RadioName, &F::radioName),
  };
  return fields;
}

}  // namespace korvel
