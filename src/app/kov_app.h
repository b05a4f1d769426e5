#pragma once
// The application: starts the program in its fixed order and owns the
// document and the main frame for the whole run.

#include <QSettings>
#include <QStringList>
#include <memory>

#include "app/file_chooser.h"
#include "app/main_frame.h"
#include "model/kov_document.h"
#include "model/prompter.h"

namespace korvel {

class CKovApp {
 public:
  CKovApp(Prompter& prompter, FileChooser& chooser, QSettings& settings);
  ~CKovApp();

  // Start-up: the tone table, the document, the frame with its view, then
  // the command line (arguments after the program name): no file makes a
  // new document, a file is opened. False when that file can't be opened;
  // its message has been shown and the program is to end.
  bool InitInstance(const QStringList& arguments);

  CKovDoc& Document() { return document_; }
  CMainFrame* Frame() { return frame_.get(); }

 private:
  Prompter& prompter_;
  FileChooser& chooser_;
  QSettings& settings_;
  CKovDoc document_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace korvel
