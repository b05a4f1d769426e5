#pragma once
// Where the file commands ask for a path. The frame takes a FileChooser so
// tests can answer without a real dialog.

#include <QDir>
#include <QSettings>
#include <QString>
#include <QWidget>
#include <string>

#include "model/interchange_csv.h"

namespace korvel {

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The channel data file to open, or empty when the user cancels.
  virtual QString OpenPath(QWidget* parent) = 0;
  // The path to save to, starting at suggested; empty when the user cancels.
  virtual QString SavePath(QWidget* parent, const QString& suggested) = 0;

  // A CSV file of channels to import, and whether it replaces all channels
  // (those it does not name become empty); an empty path when cancelled.
  struct CsvImport {
    QString path;
    bool replaceAll = false;
  };
  virtual CsvImport ImportCsvPath(QWidget* parent) = 0;
  // Where to export the channels as CSV, starting at suggested, and the
  // layout chosen as the file type; an empty path when cancelled.
  struct CsvExport {
    QString path;
    ChannelLayout layout = ChannelLayout::Korvel;
  };
  virtual CsvExport ExportCsvPath(QWidget* parent, const QString& suggested) = 0;
};

// The platform's file dialogs, filtered to channel data files. They open in
// the folder last chosen in one of them, kept in the settings between runs.
class DialogFileChooser : public FileChooser {
 public:
  explicit DialogFileChooser(QSettings& settings) : settings_(settings) {}
  QString OpenPath(QWidget* parent) override;
  QString SavePath(QWidget* parent, const QString& suggested) override;
  CsvImport ImportCsvPath(QWidget* parent) override;
  CsvExport ExportCsvPath(QWidget* parent, const QString& suggested) override;

 private:
  // The path chosen; *filter, when given, is the file type selected first
  // and then the one chosen.
  QString ChooseSavePath(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter,
                         const QString& suffix, QString* chosenFilter = nullptr);

  QSettings& settings_;
};

// The folder the file dialogs open in: the last one remembered, or the home
// folder before any.
QString LastFileFolder(const QSettings& settings);
// Remembers the folder of a chosen file (nothing for an empty path).
void RememberFileFolder(QSettings& settings, const QString& path);

// A chosen path as the file functions of the model take it: UTF-8 on every
// system (QFile::encodeName would give Windows' ANSI code page, which cannot
// spell every name), with the system's own separators, since the model's
// messages show it. And back.
inline std::string NativePath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }
inline QString PathText(const std::string& path) { return QString::fromStdString(path); }

// The file dialogs' filter and the suffix Save As adds.
QString ChannelFileFilter();
inline constexpr const char* kChannelFileSuffix = "sin";
QString CsvFileFilter();
// Export Channels' file types, one per layout: "Korvel channel list (*.csv)"
// and "Interchange layout (*.csv)".
QString CsvLayoutFilter(ChannelLayout layout);
inline constexpr const char* kCsvFileSuffix = "csv";

}  // namespace korvel
