#include "file_commands.h"

#include "model/channel_file.h"
#include "model/document_commands.h"
#include "model/image_diff.h"
#include "model/kov_document.h"
#include "model/settings_texts.h"

namespace korvel::cli {

// File New then Save As, and File Open then Save As, as the window runs
// them; a save runs the grid collection first.
int NewChannelFile(const NewOptions& options, const CommandStreams& streams) {
  CKovDoc document;
  ErrorStreamPrompter prompter(streams.err);
  DocumentCommands files(document, prompter);
  files.New();
  return files.SaveAs(options.file) ? 0 : kFailure;
}

int ResaveChannelFile(const ResaveOptions& options, const CommandStreams& streams) {
  CKovDoc document;
  ErrorStreamPrompter prompter(streams.err);
  DocumentCommands files(document, prompter);
  return files.Open(options.in) && files.SaveAs(options.out) ? 0 : kFailure;
}

int ListChannels(const ChannelsOptions& options, const CommandStreams& streams) {
  CKovDoc document;
  if (!OpenChannelFile(document, options.file, streams.err)) return kFailure;
  const ChannelTable& channels = document.Channels();
  for (int row = 1; row <= ChannelTable::kRows; ++row) {
    const ChannelTexts& texts = channels.Row(row);
    if (!options.all && texts.AllEmpty()) continue;
    std::string line = std::to_string(row);
    for (const std::string& text : texts.text) line += '\t' + text;
    WriteLine(streams.out, line);
  }
  return 0;
}

int ShowSettings(const SettingsOptions& options, const CommandStreams& streams) {
  CKovDoc document;
  if (!OpenChannelFile(document, options.file, streams.err)) return kFailure;
  for (const SettingText& setting : SettingTexts(document.Image()))
    WriteLine(streams.out, setting.name + ": " + setting.value);
  return 0;
}

// A byte the grid would rewrite is a difference too.
int DiffChannelFiles(const DiffOptions& options, const CommandStreams& streams) {
  MemoryImage images[2];
  const std::string* paths[2] = {&options.left, &options.right};
  for (int i = 0; i < 2; ++i) {
    std::uintmax_t size = 0;
    if (const Status loaded = LoadChannelFile(*paths[i], images[i], &size); !loaded) {
      Fail(streams.err, loaded.message);
      return kFileTrouble;
    }
    if (size > kImageSize)
      std::fprintf(streams.err, "korvel-cli: warning: %s\n", LongFileNotice(*paths[i], size).c_str());
  }
  const ImageDifferences differences = CompareImages(images[0], images[1]);
  for (const std::string& line : DescribeDifferences(differences)) WriteLine(streams.out, line);
  return differences.Empty() ? kFilesEqual : kFilesDiffer;
}

}  // namespace korvel::cli
