#pragma once
// The optional features as text, one entry each in the order `korvel-cli
// settings` prints them: the name it prints, the key of the `korvel-cli
// features` option (--key), the values the option takes, and the reading
// and setting of the feature as text. Whatever shows or compares features
// as text takes them from here, so every place words them alike.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "optional_features.h"

namespace korvel {

struct FeatureField {
  std::string_view key;   // "squelch": the option --squelch
  std::string_view name;  // "Squelch level"
  std::string values;     // what the option takes, for its help
  // The value as text, as the option takes it.
  std::function<std::string(const OptionalFeatures&)> show;
  // Sets the feature from text; the problem, worded for the user, when the
  // text names no value of the feature (then nothing changes).
  std::function<std::string(OptionalFeatures&, const std::string&)> set;
};

const std::vector<FeatureField>& FeatureFields();

}  // namespace korvel
