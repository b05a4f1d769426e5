#include "app/app_strings.h"

#include "app/command_ids.h"

namespace korvel {
namespace {

struct CommandText {
  int id;
  const char* text;
};

// "，" is the full-width comma; the odd spacing is part of the texts.
constexpr CommandText kCommandTexts[] = {
    {kCmdReadFromRadio, "Read Data From Radio\nRead"},
    {kCmdWriteToRadio, "Write Data to Radio \nWrite"},
    {kCmdPort1, "Choose Communication Port one \nCom1"},
    {kCmdPort2, "Choose Communication Port two \nCom2"},
    {kCmdPort3, "Choose Communication Port three \nCom3"},
    {kCmdPort4, "Choose Communication Port four \nCom4"},
    {kCmdTestMode, "Debug TX Power,Squelch Level,Low Power Alert\nDebug on line"},
    {kCmdEditData, "Edit channel Data \nEdit"},
    {kCmdOptionalFeatures, "Set the rest  functional features for the interphone"},
    {kCmdFileNew, "Create a new document\nNew"},
    {kCmdFileOpen, "Open an existing document\nOpen"},
    {kCmdFileSave, "Save the active document\nSave"},
    {kCmdFileSaveAs, "Save the active document with a new name\nSave As"},
    {kCmdPrintSetup, "Change the printer and printing options\nPrint Setup"},
    {kCmdPrint, "Print the active document\nPrint"},
    {kCmdPrintPreview, "Display full pages\nPrint Preview"},
    {kCmdAppAbout, "Display program information and version\nAbout"},
    {kCmdAppExit, "Quit the application; prompts to save documents\nExit"},
    {kCmdHelpTopics, "List Help topics\nHelp Topics"},
    {kCmdContextHelp, "Display help for clicked on buttons, menus and windows\nHelp"},
    {kCmdHelp, "Display help for current task or command\nHelp"},
    {kCmdNextPane, "Switch to the next window pane\nNext Pane"},
    {kCmdPrevPane, "Switch back to the previous window pane\nPrevious Pane"},
    {kCmdViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
    {kCmdViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
    {kCmdEditUndo, "Undo the last change\nUndo"},
    {kCmdEditRedo, "Redo the change undone last\nRedo"},
    {kCmdEditCut, "Copy the selected channels to the Clipboard and empty them\nCut"},
    {kCmdEditCopy, "Copy the selection to the Clipboard\nCopy"},
    {kCmdEditPaste, "Paste channels or cells from the Clipboard\nPaste"},
    {kCmdEditClear, "Empty the selected channels\nDelete Channel"},
    {kCmdInsertChannel, "Insert an empty channel, moving the channels below down one\nInsert Channel"},
    {kCmdMoveChannelUp, "Move the selected channels up one row\nMove Up"},
    {kCmdMoveChannelDown, "Move the selected channels down one row\nMove Down"},
    {kCmdEditSelectAll, "Select all channels\nSelect All"},
    {kCmdSortChannels, "Sort the selected channels, or all channels in use, by one column\nSort Channels"},
    {kCmdInsertStandardChannels,
     "Insert a standard channel set or a series of channels into empty channels\nInsert Standard Channels"},
    {kCmdExportChannels, "Save the channels as a CSV file for a spreadsheet\nExport Channels"},
    {kCmdImportChannels, "Take channels from a CSV file\nImport Channels"},
    {kCmdVerifyAfterWrite, "Read the radio back after a write and show what differs\nVerify After Write"},
    {kCmdBackupBeforeWrite, "Read and keep the radio's memory before writing to it\nBack Up Before Write"},
    {kCmdOpenBackup, "Open a radio memory kept by an earlier read or write\nOpen Backup"},
    {kCmdCompareWith, "Show how a file or a backup differs from this document\nCompare With"},
    {kCmdOtherPort, "Choose any serial device by its path\nOther Port"},
};

}  // namespace

QString FrameTitle(const QString& documentName) {
  // A "[*]" in a file's name is shown as it is, not as the placeholder.
  const QString name = QString(documentName).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  return name + QStringLiteral("[*] - ") + QString::fromUtf8(kFrameTitle);
}

QString IdleText() { return QString::fromUtf8("For Help，Please Press F1"); }

QString ContextHelpText() { return QStringLiteral("Select an object on which to get Help"); }

QString CommandString(int id) {
  if (id >= kCmdRecentFile1 && id < kCmdRecentFile1 + 16) return QStringLiteral("Open this document");
  for (const CommandText& entry : kCommandTexts)
    if (entry.id == id) return QString::fromUtf8(entry.text);
  return {};
}

QString CommandPrompt(int id) { return CommandString(id).section(QLatin1Char('\n'), 0, 0); }

QString CommandTooltip(int id) {
  const QString text = CommandString(id);
  const qsizetype cut = text.indexOf(QLatin1Char('\n'));
  return cut < 0 ? QString() : text.mid(cut + 1);
}

}  // namespace korvel
