// print: the five pages of the printout into a PDF file, painted offscreen
// by the layout the window prints with.

#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "cli_commands.h"
#include "model/kov_document.h"
#include "print/printout.h"

namespace korvel::cli {
namespace {

int Print(const std::string& in, const std::string& out, const std::string& pageSize) {
  CKovDoc document;
  if (!OpenChannelFile(document, in)) return kFailure;
  // Fonts need a GUI application; it runs without a display unless the
  // caller names a platform.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "korvel-cli";
  static char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  const print::PrintSource source{document.Image(), document.Channels(),
                                  print::BarTextsOf(document.Channels().Type(), document.Image())};
  const QString problem =
      print::WritePrintoutPdf(QString::fromLocal8Bit(out.c_str()), QString::fromStdString(pageSize), source);
  if (problem.isEmpty()) return 0;
  std::cerr << "korvel-cli: " << problem.toLocal8Bit().constData() << '\n';
  return kFailure;
}

struct PrintOptions {
  std::string in, out, pageSize = "A4";
};

}  // namespace

void RegisterPrintCommand(CLI::App& app, int& status) {
  auto o = std::make_shared<PrintOptions>();
  auto* cmd = app.add_subcommand("print", "Write the five-page printout of a channel data file as a PDF");
  cmd->add_option("FILE", o->in, "Channel data file to read")->required()->check(CLI::ExistingFile);
  cmd->add_option("-o,--output", o->out, "PDF file to write")->required();
  cmd->add_option("--page-size", o->pageSize, "Paper size: A4 (default) or Letter")
      ->check(CLI::IsMember({"A4", "Letter"}, CLI::ignore_case));
  cmd->callback([&status, o] { status = Print(o->in, o->out, o->pageSize); });
}

}  // namespace korvel::cli
