#include "channel_list_commands.h"

#include <vector>

#include "model/channel_sets.h"
#include "model/channel_sort.h"
#include "model/kov_document.h"

namespace korvel::cli {
namespace {

std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == ',') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// The set --set or --series names; nullopt (reported on err) when neither
// makes one.
std::optional<ChannelSet> ChosenSet(const InsertChannelsOptions& options, std::FILE* err) {
  if (options.set.empty() == options.series.empty()) {
    Fail(err, "give either --set pmr446|frs|lpd433 or --series START,STEP,COUNT[,OFFSET].");
    return std::nullopt;
  }
  if (!options.set.empty()) {
    if (const ChannelSet* set = StandardChannelSet(options.set)) return *set;
    Fail(err, "no channel set \"" + options.set + "\"; the sets are pmr446, frs and lpd433.");
    return std::nullopt;
  }
  const std::vector<std::string> parts = SplitAtCommas(options.series);
  if (parts.size() != 3 && parts.size() != 4) {
    Fail(err, "--series takes START,STEP,COUNT or START,STEP,COUNT,OFFSET (MHz, kHz, channels, MHz), not \"" +
                  options.series + "\".");
    return std::nullopt;
  }
  const SeriesOutcome series = MakeSeries(parts[0], parts[1], parts[2], parts.size() == 4 ? parts[3] : "");
  if (!series.set) Fail(err, series.refusal);
  return series.set;
}

}  // namespace

int SortChannelFile(const SortOptions& options, const CommandStreams& streams) {
  const std::optional<int> column = SortColumnNamed(options.by);
  if (!column)
    return Fail(streams.err, "no column \"" + options.by + "\" to sort by; the columns are " + SortColumnList() + ".");
  CKovDoc document;
  if (!OpenChannelFile(document, options.in, streams.err)) return kFailure;
  SortAllChannels(document, *column, options.descending ? SortDirection::Descending : SortDirection::Ascending);
  // Saving runs the grid collection first.
  return Report(document.OnSaveDocument(options.out), streams.err) ? 0 : kFailure;
}

int InsertChannels(const InsertChannelsOptions& options, const CommandStreams& streams) {
  std::optional<ChannelSet> set = ChosenSet(options, streams.err);
  if (!set) return kFailure;
  set->rxTone = options.rxTone;
  set->txTone = options.txTone;
  CKovDoc document;
  if (!OpenChannelFile(document, options.in, streams.err)) return kFailure;
  const int count = static_cast<int>(set->channels.size());
  const std::optional<int> at = options.at ? options.at : FirstRoomFor(document.Channels(), count);
  if (!at) {
    return Fail(streams.err, "no " + std::to_string(count) + " empty channels in a row for " + set->name + " in " +
                                 options.in + "; nothing was inserted.");
  }
  ErrorStreamPrompter prompter(streams.err);
  const SetInsertOutcome outcome = InsertChannelSet(document.Channels(), *at, *set, prompter);
  if (!outcome.Applied()) return Fail(streams.err, outcome.refusal);
  return Report(document.OnSaveDocument(options.out), streams.err) ? 0 : kFailure;
}

}  // namespace korvel::cli
