#include "app/other_port_dialog.h"

#include <QCollator>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/serial_device_names.h"

namespace korvel {

OtherPortDialog::OtherPortDialog(const QString& current, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Other Port"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QString::fromUtf8(OtherPortLabel()), this);
  layout->addWidget(label);

  path_ = new QLineEdit(current, this);
  path_->setAccessibleName(QStringLiteral("Serial device"));
  path_->selectAll();
  label->setBuddy(path_);
  auto* completer = new QCompleter(DevicePaths(), path_);
  completer->setCaseSensitivity(Qt::CaseSensitive);
  completer->setFilterMode(Qt::MatchStartsWith);
  path_->setCompleter(completer);
  layout->addWidget(path_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto enable = [this] { ok_->setEnabled(!path_->text().isEmpty()); };
  connect(path_, &QLineEdit::textChanged, this, enable);
  enable();
  layout->addWidget(buttons);
  resize(520, sizeHint().height());
}

QString OtherPortDialog::Path() const { return path_->text(); }

QStringList OtherPortDialog::DevicePaths() {
  QStringList paths;
  for (const std::string& name : SerialDeviceNames()) paths << QString::fromStdString(name);
  // ttyUSB2 before ttyUSB10, COM2 before COM10.
  QCollator numeric;
  numeric.setNumericMode(true);
  std::sort(paths.begin(), paths.end(), numeric);
  return paths;
}

}  // namespace korvel
