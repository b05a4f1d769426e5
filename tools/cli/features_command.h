#pragma once
// features FILE -o OUT [--squelch ...]: what the Optional Features dialog's
// OK stores with those controls changed and the others as loaded. The
// model's table (model/feature_fields.h) gives each feature's option and its
// line in `settings`, so what settings prints is what features takes.

#include <optional>
#include <string>
#include <vector>

#include "command_streams.h"

namespace korvel::cli {

struct FeaturesOptions {
  std::string in, out;
  // By the index of FeatureFields(): the value given for that feature, if any.
  std::vector<std::optional<std::string>> values;
};

// Returns the exit status; a value the dialog would refuse writes nothing.
int SetFeatures(const FeaturesOptions& options, const CommandStreams& streams);

}  // namespace korvel::cli
