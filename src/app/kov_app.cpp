#include "app/kov_app.h"

#include <QIcon>

#include "app/file_commands.h"
#include "app/main_frame.h"
#include "link/serial_port_list.h"
#include "model/tone_table.h"

namespace korvel {

CKovApp::CKovApp(Prompter& prompter, FileChooser& chooser, QSettings& settings)
    : prompter_(prompter), chooser_(chooser), settings_(settings) {}

CKovApp::~CKovApp() = default;

bool CKovApp::InitInstance(const QStringList& arguments) {
  ToneTable::Instance();  // built once, before any view needs its names
  frame_ = std::make_unique<CMainFrame>(document_, prompter_, chooser_, settings_);
  frame_->SetPortSource(MakeSystemPortSource());
  const QString file = arguments.isEmpty() ? QString() : arguments.constFirst();
  if (file.isEmpty()) {
    frame_->Files().Commands().New();
  } else if (!frame_->Files().OpenFile(file)) {
    return false;
  }
  frame_->setWindowIcon(QIcon(QStringLiteral(":/korvel/icons/korvel.svg")));
  frame_->show();
  frame_->raise();
  return true;
}

}  // namespace korvel
