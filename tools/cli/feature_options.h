#pragma once
// The optional features on the command line: one table gives each feature's
// option of `korvel-cli features` and its line in `korvel-cli settings`, so
// what settings prints is what features takes.

#include <CLI/CLI.hpp>
#include <ostream>

#include "model/optional_features.h"

namespace korvel::cli {

// One "name: value" line per feature, the values as the options take them.
void PrintFeatures(const OptionalFeatures& features, std::ostream& out);

// features FILE -o OUT [--squelch ...]: what the dialog's OK stores with
// those controls changed and the others as loaded.
void RegisterFeaturesCommand(CLI::App& app, int& status);

}  // namespace korvel::cli
