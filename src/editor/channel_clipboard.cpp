// The clipboard and CSV half of the Edit menu's commands.
#include <QClipboard>
#include <algorithm>
#include <QGuiApplication>

#include "editor/channel_edit_commands.h"
#include "editor/channel_grid.h"
#include "model/channel_csv.h"
#include "model/channel_paste.h"
#include "model/document_history.h"
#include "model/channel_rows.h"
#include "model/kov_document.h"
#include "model/prompter.h"

namespace korvel {

namespace {

void PutOnClipboard(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace

std::vector<int> ChannelEditCommands::RowsOfSelection() const {
  std::vector<int> rows = grid_.SelectedRows();
  if (rows.empty()) {
    const QRect cells = grid_.SelectedCells();
    for (int row = cells.top(); row <= cells.bottom(); ++row) rows.push_back(row);
  }
  return rows;
}

void ChannelEditCommands::Copy() {
  const std::vector<int> rows = grid_.SelectedRows();
  if (!rows.empty()) {
    std::string text;
    for (int row : rows) text += CopyRowsText(document_.Channels(), row, row);
    PutOnClipboard(text);
    return;
  }
  const QRect cells = grid_.SelectedCells();
  PutOnClipboard(CopyCellsText(document_.Channels(), cells.top(), cells.left(), cells.bottom(), cells.right()));
}

void ChannelEditCommands::Cut() {
  if (!Prepare()) return;
  DocumentStep step(history_, "Cut");
  // Cutting takes whole channels: those of the selected rows, or of the
  // rows the selected cells are on.
  const std::vector<int> rows = RowsOfSelection();
  std::string text;
  for (int row : rows) text += CopyRowsText(document_.Channels(), row, row);
  PutOnClipboard(text);
  for (int row : rows) EmptyChannels(document_, row, row);
  Finish();
}

std::optional<CsvImportOutcome> ChannelEditCommands::ImportCsv(const std::string& csv, bool replaceAll) {
  if (!Prepare()) return std::nullopt;
  DocumentStep step(history_, "Import Channels");
  CsvImportOutcome outcome = ImportChannelsCsv(document_, csv, replaceAll);
  if (!outcome.Applied()) {
    prompter_.Tell(DescribeCsvRefusals(outcome.refusals));
    return std::nullopt;
  }
  Finish();
  if (!outcome.channels.empty()) {
    const int first = outcome.channels.front();
    grid_.SelectRows(first, first);
    grid_.scrollTo(grid_.model()->index(first - 1, 0));
  }
  return outcome;
}

void ChannelEditCommands::Paste() {
  if (!Prepare()) return;
  DocumentStep step(history_, "Paste");
  const CellBlock block = ParseClipboardText(QGuiApplication::clipboard()->text().toStdString());
  if (block.empty()) return;
  const std::vector<int> selected = grid_.SelectedRows();
  int row = selected.empty() ? grid_.Row() : selected.front();
  int column = grid_.Col();
  // Whole channels (ten cells a line) always start at the Receive column.
  const bool channels = std::all_of(block.begin(), block.end(),
                                    [](const auto& line) { return line.size() == kChannelFieldCount; });
  if (channels || !selected.empty()) column = 1;
  const PasteOutcome outcome = PasteCells(document_.Channels(), row, column, block);
  if (!outcome.Applied()) {
    prompter_.Tell(DescribePasteRefusals(outcome.refusals));
    return;
  }
  Finish();
  if (channels) grid_.SelectRows(outcome.firstRow, outcome.lastRow);
}

}  // namespace korvel
