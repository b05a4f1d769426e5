#pragma once
// Port > Other Port...: any serial device, typed as a path or picked from
// the completions over the devices present (serial_device_names.h). OK
// takes the text as it stands; it stays disabled while the text is empty.

#include <QDialog>
#include <QString>
#include <QStringList>

class QLineEdit;
class QPushButton;

namespace korvel {

class OtherPortDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens on the port chosen now.
  explicit OtherPortDialog(const QString& current, QWidget* parent = nullptr);

  QLineEdit* PathEdit() const { return path_; }
  QPushButton* OkButton() const { return ok_; }
  QString Path() const;
  // The device paths the completer offers: those present now, with the
  // numbers in them in numeric order.
  static QStringList DevicePaths();

 private:
  QLineEdit* path_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace korvel
