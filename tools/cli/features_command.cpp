#include "features_command.h"

#include <tuple>

#include "model/channel_file.h"
#include "model/feature_fields.h"
#include "model/settings_block.h"

namespace korvel::cli {

using namespace settings;

int SetFeatures(const FeaturesOptions& o, const CommandStreams& streams) {
  MemoryImage image{};
  if (!Report(LoadChannelFile(o.in, image), streams.err)) return kFailure;
  OptionalFeatures f = LoadOptionalFeatures(image);
  for (std::size_t i = 0; i < FeatureFields().size() && i < o.values.size(); ++i) {
    if (!o.values[i]) continue;
    const std::string problem = FeatureFields()[i].set(f, *o.values[i]);
    if (!problem.empty()) return Fail(streams.err, "--" + std::string(FeatureFields()[i].key) + ": " + problem);
  }
  // A text read from the file may be longer than OK accepts.
  for (const auto& [kind, text, option] : {std::tuple{RadioTextKind::AniCode, f.aniCode, "--ani"},
                                           std::tuple{RadioTextKind::RadioName, f.radioName, "--name"}}) {
    const std::string problem = RadioTextProblem(kind, text);
    if (!problem.empty())
      return Fail(streams.err, o.in + ": " + problem + " Give a shorter one with " + option + ".");
  }
  StoreOptionalFeatures(f, image);
  return Report(SaveChannelFile(o.out, image), streams.err) ? 0 : kFailure;
}

}  // namespace korvel::cli
