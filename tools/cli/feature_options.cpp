#include "feature_options.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "model/channel_file.h"
#include "model/feature_fields.h"
#include "model/settings_block.h"

namespace korvel::cli {
namespace {

using namespace settings;

struct FeaturesOptions {
  std::string in, out;
  std::vector<std::optional<std::string>> values = std::vector<std::optional<std::string>>(FeatureFields().size());
};

int Features(const FeaturesOptions& o) {
  MemoryImage image{};
  if (const Status loaded = LoadChannelFile(o.in, image); !loaded) {
    std::cerr << "korvel-cli: " << loaded.message << '\n';
    return kFailure;
  }
  OptionalFeatures f = LoadOptionalFeatures(image);
  for (std::size_t i = 0; i < FeatureFields().size(); ++i) {
    if (!o.values[i]) continue;
    const std::string problem = FeatureFields()[i].set(f, *o.values[i]);
    if (!problem.empty()) {
      std::cerr << "korvel-cli: --" << FeatureFields()[i].key << ": " << problem << '\n';
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

void RegisterFeaturesCommand(CLI::App& app, int& status) {
  auto o = std::make_shared<FeaturesOptions>();
  auto* cmd = app.add_subcommand(
      "features", "Set optional features as the Optional Features dialog's OK stores them; every other byte is copied");
  cmd->add_option("FILE", o->in, "Channel data file to read (.sin)")->required();
  cmd->add_option("-o,--output", o->out, "Channel data file to write")->required();
  for (std::size_t i = 0; i < FeatureFields().size(); ++i)
    cmd->add_option("--" + std::string(FeatureFields()[i].key), o->values[i], FeatureFields()[i].values);
  cmd->callback([&status, o] { status = Features(*o); });
}

}  // namespace korvel::cli
