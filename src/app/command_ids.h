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
