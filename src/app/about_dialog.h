#pragma once
// The about box: the program's icon, name and version, and OK.

#include <QDialog>

namespace korvel {

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace korvel
