#pragma once
// Command identifiers of the menus, the toolbar and the accelerators. They
// key the prompt and tooltip texts and let tests find every action.

namespace korvel {

enum CommandId : int {
  kCmdReadFromRadio = 32771,
  kCmdWriteToRadio = 32772,
  kCmdPort1 = 32773,
  kCmdPort2 = 32775,
  kCmdPort3 = 32776,
  kCmdPort4 = 32777,
  kCmdTestMode = 32778,
  kCmdEditData = 32780,
  kCmdOptionalFeatures = 32784,
  kCmdInsertChannel = 32790,
  kCmdMoveChannelUp = 32791,
  kCmdMoveChannelDown = 32792,
  kCmdExportChannels = 32793,
  kCmdImportChannels = 32794,
  kCmdVerifyAfterWrite = 32795,
  kCmdBackupBeforeWrite = 32796,
  kCmdOpenBackup = 32797,
  kCmdCompareWith = 32798,
  kCmdOtherPort = 32799,
  kCmdSortChannels = 32800,
  kCmdInsertStandardChannels = 32801,
  kCmdEditClear = 57632,
  kCmdEditCopy = 57634,
  kCmdEditCut = 57635,
  kCmdEditPaste = 57637,
  kCmdEditSelectAll = 57642,
  kCmdEditUndo = 57643,
  kCmdEditRedo = 57644,
  kCmdFileNew = 57600,
  kCmdFileOpen = 57601,
  kCmdFileSave = 57603,
  kCmdFileSaveAs = 57604,
  kCmdPrintSetup = 57606,
  kCmdPrint = 57607,
  kCmdPrintPreview = 57609,
  kCmdRecentFile1 = 57616,  // entries 2 to 4 follow
  kCmdAppExit = 57665,
  kCmdAppAbout = 57664,
  kCmdHelpTopics = 57667,
  kCmdContextHelp = 57669,
  kCmdHelp = 57670,
  kCmdNextPane = 57680,
  kCmdPrevPane = 57681,
  kCmdViewToolbar = 59392,
  kCmdViewStatusBar = 59393,
};

inline constexpr int kRecentFileCount = 4;

}  // namespace korvel
