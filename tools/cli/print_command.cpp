#include "print_command.h"

#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <memory>

#include "model/kov_document.h"
#include "print/printout.h"

namespace korvel::cli {

int PrintPdf(const PrintOptions& options, const CommandStreams& streams) {
  CKovDoc document;
  if (!OpenChannelFile(document, options.in, streams.err)) return kFailure;
  // Fonts need a GUI application; it runs without a display unless the
  // caller names a platform. A caller that has one already keeps it.
  std::unique_ptr<QGuiApplication> application;
  if (QGuiApplication::instance() == nullptr) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "korvel-cli";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  const print::PrintSource source{document.Image(), document.Channels(),
                                  print::BarTextsOf(document.Channels().Type(), document.Image())};
  const QString problem = print::WritePrintoutPdf(QString::fromLocal8Bit(options.out.c_str()),
                                                  QString::fromStdString(options.pageSize), source);
  if (problem.isEmpty()) return 0;
  return Fail(streams.err, problem.toLocal8Bit().toStdString());
}

}  // namespace korvel::cli
