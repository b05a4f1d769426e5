#include "app/about_dialog.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "korvel_version.h"
#include "widgets/dialog_units.h"

namespace korvel {

// Laid out in dialog units of its own font, Times New Roman 10 pt:
// 222 x 77 units with the icon, two texts and the OK button.
CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Korvel"));
  setAccessibleName(windowTitle());
  setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
  setFont(FormFamilyFont(10.0));
  const DialogUnits du(font());

  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(QStringLiteral(":/korvel/icons/korvel.svg")).pixmap(32, 32));
  icon->setAccessibleName(QStringLiteral("Korvel"));
  // An icon control takes the icon's size, whatever its template says.
  icon->setGeometry(QRect(du.Point(11, 17), QSize(32, 32)));

  auto* name = new QLabel(QStringLiteral("  Korvel Communication Software-11.1"), this);
  name->setGeometry(du.Rect(40, 10, 125, 8));

  // The first text is the box's own and stays as it is; the program's
  // version heads the second.
  auto* about = new QLabel(QStringLiteral("Version %1. Reads, edits and writes the channels and features of the "
                                          "KR - 100, KR - 200 and KR - 300 radios, and keeps them in channel "
                                          "data files (*.sin).")
                               .arg(QLatin1String(kVersion)),
                           this);
  about->setWordWrap(true);
  about->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  about->setGeometry(du.Rect(46, 25, 158, 39));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  ok->setGeometry(du.Rect(165, 7, 50, 14));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  setFixedSize(du.Size(222, 77));
}

}  // namespace korvel
