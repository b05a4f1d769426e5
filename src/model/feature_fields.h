#pragma once
// The optional features as text, one entry each in the order of the
// settings listing: the feature's name, a short lower-case key naming it,
// the values it takes, and the reading and setting of the feature as text.
// Whatever shows, compares or sets features as text takes them from here,
// so every place words them alike.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "optional_features.h"

namespace korvel {

struct FeatureField {
  std::string_view key;   // "squelch"
  std::string_view name;  // "Squelch level"
  std::string values;     // the texts `set` takes, in words: "0..9"
  // The value as text, as `set` takes it.
  std::function<std::string(const OptionalFeatures&)> show;
  // Sets the feature from text; the problem, worded for the user, when the
  // text names no value of the feature (then nothing changes).
  std::function<std::string(OptionalFeatures&, const std::string&)> set;
};

const std::vector<FeatureField>& FeatureFields();

}  // namespace korvel
