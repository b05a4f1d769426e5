#pragma once
// The optional features on the command line: the model's table
// (model/feature_fields.h) gives each feature's option of `korvel-cli
// features` and its line in `korvel-cli settings`, so what settings prints
// is what features takes.

#include <CLI/CLI.hpp>

namespace korvel::cli {

// features FILE -o OUT [--squelch ...]: what the dialog's OK stores with
// those controls changed and the others as loaded.
void RegisterFeaturesCommand(CLI::App& app, int& status);

}  // namespace korvel::cli
