#include "feature_options.h"

#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "model/channel_file.h"
#include "model/settings_block.h"

namespace korvel::cli {
namespace {

using namespace settings;

constexpr std::array<std::string_view, 2> kOnOffTexts = {"off", "on"};

struct FeatureField {
  const char* option;
  const char* label;
  std::string values;  // what the option takes, for its help
  std::function<std::string(const OptionalFeatures&)> show;
  // Sets the feature from the option's value; the problem when it is none.
  std::function<std::string(OptionalFeatures&, const std::string&)> set;
};

std::string Join(std::span<const std::string_view> items) {
  std::string joined;
  for (std::string_view item : items) joined += (joined.empty() ? "" : "|") + std::string(item);
  return joined;
}

FeatureField ListField(const char* option, const char* label, std::span<const std::string_view> items,
                       int OptionalFeatures::*field) {
  return {option, label, Join(items),
          [items, field](const OptionalFeatures& f) { return std::string(items[static_cast<std::size_t>(f.*field)]); },
          [items, field](OptionalFeatures& f, const std::string& value) -> std::string {
            const std::optional<int> index = FindListItem(items, value);
            if (!index) return "\"" + value + "\" is not one of " + Join(items);
            f.*field = *index;
            return {};
          }};
}

FeatureField FlagField(const char* option, const char* label, bool OptionalFeatures::*field) {
  return {option, label, Join(kOnOffTexts),
          [field](const OptionalFeatures& f) { return std::string(kOnOffTexts[f.*field ? 1 : 0]); },
          [field](OptionalFeatures& f, const std::string& value) -> std::string {
            const std::optional<int> index = FindListItem(kOnOffTexts, value);
            if (!index) return "\"" + value + "\" is not one of on|off";
            f.*field = *index == 1;
            return {};
          }};
}

FeatureField TextField(const char* option, const char* label, RadioTextKind kind,
                       std::string OptionalFeatures::*field) {
  const char last = kind == RadioTextKind::AniCode ? 'F' : 'Z';
  return {option, label,
          "up to " + std::to_string(RadioTextLimit(kind)) + " of 0-9 A-" + last + ", \"\" to clear",
          [field](const OptionalFeatures& f) { return f.*field; },
          [kind, field](OptionalFeatures& f, const std::string& value) {
            std::string problem = RadioTextProblem(kind, value);
            if (problem.empty()) f.*field = value;
            return problem;
          }};
}

// In the order settings prints them.
const std::vector<FeatureField>& Fields() {
  using F = OptionalFeatures;
  static const std::vector<FeatureField> fields = {
      ListField("--tot", "Time-out timer (s)", kTimeOutTimerTexts, &F::timeOutTimer),
      ListField("--squelch", "Squelch level", kSquelchTexts, &F::squelchLevel),
      FlagField("--beep", "Beep", &F::beep),
      FlagField("--scrambler", "Scrambler activation", &F::scrambler),
      FlagField("--battery-save", "Battery save", &F::batterySave),
      ListField("--language", "Voice language", kLanguageTexts, &F::language),
      ListField("--vox-gain", "VOX gain level", kVoxGainTexts, &F::voxGain),
      ListField("--vox-delay", "VOX delay time (s)", kVoxDelayTexts, &F::voxDelay),
      FlagField("--ptt-id-begin", "PTT ID at begin of Tx", &F::pttIdBegin),
      FlagField("--ptt-id-end", "PTT ID at end of Tx", &F::pttIdEnd),
      TextField("--ani", "ANI code", RadioTextKind::AniCode, &F::aniCode),
      TextField("--name", "Radio name", RadioTextKind::RadioName, &F::radioName),
  };
  return fields;
}

struct FeaturesOptions {
  std::string in, out;
  std::vector<std::optional<std::string>> values = std::vector<std::optional<std::string>>(Fields().size());
};

int Features(const FeaturesOptions& o) {
  MemoryImage image{};
  if (const Status loaded = LoadChannelFile(o.in, image); !loaded) {
    std::cerr << "korvel-cli: " << loaded.message << '\n';
    return kFailure;
  }
  OptionalFeatures f = LoadOptionalFeatures(image);
  for (std::size_t i = 0; i < Fields().size(); ++i) {
    if (!o.values[i]) continue;
    const std::string problem = Fields()[i].set(f, *o.values[i]);
    if (!problem.empty()) {
      std::cerr << "korvel-cli: " << Fields()[i].option << ": " << problem << '\n';
      return kFailure;
    }
  }
  // A text read from the file may be longer than OK accepts.
  for (const auto& [kind, text, option] : {std::tuple{RadioTextKind::AniCode, f.aniCode, "--ani"},
                                           std::tuple{RadioTextKind::RadioName, f.radioName, "--name"}}) {
    const std::string problem = RadioTextProblem(kind, text);
    if (!problem.empty()) {
      std::cerr << "korvel-cli: " << o.in << ": " << problem << " Give a shorter one with " << option << ".\n";
      return kFailure;
    }
  }
  StoreOptionalFeatures(f, image);
  if (const Status saved = SaveChannelFile(o.out, image); !saved) {
    std::cerr << "korvel-cli: " << saved.message << '\n';
    return kFailure;
  }
  return 0;
}

}  // namespace

void PrintFeatures(const OptionalFeatures& features, std::ostream& out) {
  for (const FeatureField& field : Fields()) out << field.label << ": " << field.show(features) << '\n';
}

void RegisterFeaturesCommand(CLI::App& app, int& status) {
  auto o = std::make_shared<FeaturesOptions>();
  auto* cmd = app.add_subcommand(
      "features", "Set optional features as the Optional Features dialog's OK stores them; every other byte is copied");
  cmd->add_option("FILE", o->in, "Channel data file to read (.sin)")->required();
  cmd->add_option("-o,--output", o->out, "Channel data file to write")->required();
  for (std::size_t i = 0; i < Fields().size(); ++i)
    cmd->add_option(Fields()[i].option, o->values[i], Fields()[i].values);
  cmd->callback([&status, o] { status = Features(*o); });
}

}  // namespace korvel::cli
