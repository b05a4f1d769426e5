#include "app/serial_device_names.h"

#include <QDir>

namespace korvel {

const char* OtherPortLabel() { return "Serial &device (a path such as /dev/ttyUSB0 or /dev/serial/by-id/...):"; }

std::vector<std::string> SerialDeviceNames() {
  const struct {
    const char* folder;
    const char* pattern;
  } places[] = {{"/dev/serial/by-id", "*"}, {"/dev", "tty*"}, {"/dev/pts", "*"}};
  std::vector<std::string> names;
  for (const auto& place : places) {
    const QDir folder(QString::fromLatin1(place.folder));
    // Devices and links to them are "system" entries to QDir.
    for (const QString& name : folder.entryList({QString::fromLatin1(place.pattern)},
                                                QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
      if (name != QLatin1String("ptmx")) names.push_back(folder.filePath(name).toStdString());
    }
  }
  return names;
}

}  // namespace korvel
