// new, resave, channels, settings: what the window does to channel data
// files, without the window.

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "cli_commands.h"
#include "feature_options.h"
#include "model/kov_document.h"
#include "model/optional_features.h"
#include "model/settings_block.h"

namespace korvel::cli {
namespace {

int New(const std::string& path) {
  CKovDoc document;
  document.OnNewDocument();
  document.FillFromImage();
  // Saving runs the grid collection first.
  return Report(document.OnSaveDocument(path)) ? 0 : kFailure;
}

int Resave(const std::string& in, const std::string& out) {
  CKovDoc document;
  if (!OpenChannelFile(document, in)) return kFailure;
  return Report(document.OnSaveDocument(out)) ? 0 : kFailure;
}

int Channels(const std::string& path, bool all) {
  CKovDoc document;
  if (!OpenChannelFile(document, path)) return kFailure;
  const ChannelTable& channels = document.Channels();
  for (int row = 1; row <= ChannelTable::kRows; ++row) {
    const ChannelTexts& texts = channels.Row(row);
    if (!all && texts.AllEmpty()) continue;
    std::cout << row;
    for (const std::string& text : texts.text) std::cout << '\t' << text;
    std::cout << '\n';
  }
  return 0;
}

int Settings(const std::string& path) {
  using namespace settings;
  CKovDoc document;
  if (!OpenChannelFile(document, path)) return kFailure;
  const MemoryImage& image = document.Image();
  const TypeSettings& type = document.Channels().Type();
  std::cout << "Model: " << kModelTexts[static_cast<std::size_t>(type.model)] << '\n'
            << "Frequency band: " << kBandTexts[static_cast<std::size_t>(type.band)] << '\n'
            << "Tx power rank: " << type.txPowerRank << '\n'
            << "Manual setting: " << kManualTexts[static_cast<std::size_t>(type.manual)] << '\n';
  PrintFeatures(LoadOptionalFeatures(image), std::cout);
  char type_byte[8];
  std::snprintf(type_byte, sizeof type_byte, "0x%02X", image[kRadioType]);
  std::cout << "Radio type byte: " << type_byte << '\n';
  return 0;
}

}  // namespace

bool OpenChannelFile(CKovDoc& document, const std::string& path) {
  if (!Report(document.OnOpenDocument(path))) return false;
  if (!document.OpenNotice().empty()) std::cerr << "korvel-cli: warning: " << document.OpenNotice() << '\n';
  document.FillFromImage();
  return true;
}

// The options live as long as the App: CLI11 keeps pointers to them, and the
// callbacks run during parsing.
struct FileOptions {
  std::string newPath, resaveIn, resaveOut, channelsPath, settingsPath;
  bool channelsAll = false;
};

void RegisterFileCommands(CLI::App& app, int& status) {
  auto o = std::make_shared<FileOptions>();

  auto* cmd_new = app.add_subcommand("new", "Write the channel data file that File New followed by Save writes");
  cmd_new->add_option("FILE", o->newPath, "Channel data file to write (.sin)")->required();
  cmd_new->callback([&status, o] { status = New(o->newPath); });

  auto* cmd_resave =
      app.add_subcommand("resave", "Open IN and save it as OUT, as the window would (grid fill, then collection)");
  cmd_resave->add_option("IN", o->resaveIn, "Channel data file to read")->required();
  cmd_resave->add_option("OUT", o->resaveOut, "Channel data file to write")->required();
  cmd_resave->callback([&status, o] { status = Resave(o->resaveIn, o->resaveOut); });

  auto* cmd_channels = app.add_subcommand(
      "channels", "List the channels as the grid shows them: number and ten texts, tab-separated");
  cmd_channels->add_option("FILE", o->channelsPath, "Channel data file to read")->required();
  cmd_channels->add_flag("--all", o->channelsAll, "List all 128 channels, empty ones too");
  cmd_channels->callback([&status, o] { status = Channels(o->channelsPath, o->channelsAll); });

  auto* cmd_settings =
      app.add_subcommand("settings", "Show the type settings and the optional features of a channel data file");
  cmd_settings->add_option("FILE", o->settingsPath, "Channel data file to read")->required();
  cmd_settings->callback([&status, o] { status = Settings(o->settingsPath); });
}

}  // namespace korvel::cli
