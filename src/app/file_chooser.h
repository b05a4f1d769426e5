#pragma once
// Where the file commands ask for a path. The frame takes a FileChooser so
// tests can answer without a real dialog.

#include <QString>
#include <QWidget>

namespace korvel {

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The channel data file to open, or empty when the user cancels.
  virtual QString OpenPath(QWidget* parent) = 0;
  // The path to save to, starting at suggested; empty when the user cancels.
  virtual QString SavePath(QWidget* parent, const QString& suggested) = 0;
};

// The platform's file dialogs, filtered to channel data files.
class DialogFileChooser : public FileChooser {
 public:
  QString OpenPath(QWidget* parent) override;
  QString SavePath(QWidget* parent, const QString& suggested) override;
};

// The file dialogs' filter and the suffix Save As adds.
QString ChannelFileFilter();
inline constexpr const char* kChannelFileSuffix = "sin";

}  // namespace korvel
