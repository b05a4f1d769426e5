#include "settings_texts.h"

#include <cstdio>

#include "channel_table.h"
#include "feature_fields.h"
#include "optional_features.h"
#include "settings_block.h"

namespace korvel {

std::vector<SettingText> SettingTexts(const MemoryImage& image) {
  using namespace settings;
  const TypeSettings type = LoadTypeSettings(image);
  std::vector<SettingText> texts = {
      {"Model", std::string(kModelTexts[static_cast<std::size_t>(type.model)])},
      {"Frequency band", std::string(kBandTexts[static_cast<std::size_t>(type.band)])},
      {"Tx power rank", std::to_string(type.txPowerRank)},
      {"Manual setting", std::string(kManualTexts[static_cast<std::size_t>(type.manual)])},
  };
  const OptionalFeatures features = LoadOptionalFeatures(image);
  for (const FeatureField& field : FeatureFields()) texts.push_back({std::string(field.name), field.show(features)});
  char typeByte[8];
  std::snprintf(typeByte, sizeof typeByte, "0x%02X", image[kRadioType]);
  texts.push_back({"Radio type byte", typeByte});
  return texts;
}

}  // namespace korvel
