// new, resave, channels, settings: what the window does to channel data
// files, without the window; diff: what differs between two of them.

#include <iostream>
#include <memory>
#include <string>

#include "cli_commands.h"
#include "model/channel_file.h"
#include "model/image_diff.h"
#include "model/kov_document.h"
#include "model/settings_texts.h"

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
  CKovDoc document;
  if (!OpenChannelFile(document, path)) return kFailure;
  for (const SettingText& setting : SettingTexts(document.Image()))
    std::cout << setting.name << ": " << setting.value << '\n';
  return 0;
}

// Exit statuses of diff, as cmp and diff have them.
constexpr int kSame = 0;
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

// The files as they are, without the grid: a byte the grid would rewrite
// is a difference too.
int Diff(const std::string& leftPath, const std::string& rightPath) {
  MemoryImage images[2];
  const std::string* paths[2] = {&leftPath, &rightPath};
  for (int i = 0; i < 2; ++i) {
    std::uintmax_t size = 0;
    if (const Status loaded = LoadChannelFile(*paths[i], images[i], &size); !loaded) {
      std::cerr << "korvel-cli: " << loaded.message << '\n';
      return kTrouble;
    }
    if (size > kImageSize) std::cerr << "korvel-cli: warning: " << LongFileNotice(*paths[i], size) << '\n';
  }
  const ImageDifferences differences = CompareImages(images[0], images[1]);
  for (const std::string& line : DescribeDifferences(differences)) std::cout << line << '\n';
  return differences.Empty() ? kSame : kDifferent;
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
  std::string newPath, resaveIn, resaveOut, channelsPath, settingsPath, diffLeft, diffRight;
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

  auto* cmd_diff = app.add_subcommand(
      "diff", "List what differs between two channel data files, one line each: channel texts as the grid shows "
              "them, settings as `settings` prints them, and a count of the other bytes. Exit status 0 when they "
              "are equal, 1 when they differ, 2 when a file cannot be read");
  cmd_diff->add_option("A", o->diffLeft, "Channel data file (.sin)")->required();
  cmd_diff->add_option("B", o->diffRight, "Channel data file (.sin)")->required();
  cmd_diff->callback([&status, o] { status = Diff(o->diffLeft, o->diffRight); });
}

}  // namespace korvel::cli
